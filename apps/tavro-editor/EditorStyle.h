// The editor's look: the toolkit's Fusion style in a dark palette, as material editors
// usually are, and the compact font the rollout's dialog units were laid out for.
#pragma once

class QApplication;
class QWidget;

void applyEditorStyle(QApplication& app);
// The rollout's font: about the size of the dialog font its template names, so that captions
// fit the label boxes the template gives them.
void applyRolloutFont(QWidget& rollout);
