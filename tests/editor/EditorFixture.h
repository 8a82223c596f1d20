// An editor window on a new material, with helpers to find the widget of a control and to
// wait for the preview.
#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "ParamBlock2.h"
#include "apps/tavro-editor/EditorWindow.h"
#include "apps/tavro-editor/RolloutView.h"

namespace editortest {

// Longest a test waits for the preview; renders here take well under a second.
constexpr int kPreviewTimeoutMs = 60000;

inline std::string modulePath() {
    return TAVRO_MODULE_DIR "/2021/TavroMtl_2021.dlt";
}

class Editor : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        auto session = EditorSession::create(modulePath(), error);
        ASSERT_TRUE(session) << error;
        ProgressiveSettings settings;
        settings.threads = 2;
        settings.maxPasses = 2;
        window = std::make_unique<EditorWindow>(std::move(session), settings);
    }

    void TearDown() override { window.reset(); }

    HWND control(int id) const { return GetDlgItem(window->session().rollout(), id); }
    template <class W>
    W* widget(int id) const {
        return dynamic_cast<W*>(window->rolloutView()->widgetOf(control(id)));
    }
    IParamBlock2* block() const { return window->session().material()->GetParamBlock(0); }
    ParamID param(const wchar_t* name) const {
        auto* desc = window->session().material()->GetParamBlock(0)->GetDesc();
        return desc->NameToID(name);
    }
    // Waits until the preview shows a frame of its current render.
    bool waitForPreview() const {
        return QTest::qWaitFor([this] { return window->previewPasses() >= 0; }, kPreviewTimeoutMs);
    }

    std::unique_ptr<EditorWindow> window;
};

}  // namespace editortest
