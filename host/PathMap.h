// How the host finds the external files that modules name by their Windows paths. A path
// resolves, first match winning, through
//   1. mappings registered by the program (hostMapPath, e.g. from a command-line option),
//   2. mappings in the environment variable TAVRO_HOST_PATH_MAP, entries
//      "windowsPath=localPath" separated by ';',
//   3. the host's built-in mappings (the Tavro preview environment image),
//   4. for a Windows path, its file name in a data folder or one level below it,
// and otherwise stays as given (a local path, or a Windows path nothing knows, which then
// fails to open). Windows paths compare without regard to ASCII case or separator kind.
// A relative local path in a mapping is looked up in the data folders.
//
// Data folders, searched in order: $TAVRO_HOST_DATA_DIR; "resources" and
// "../share/tavro/resources" beside the host library (an installed or copied host); the
// source tree's resources folder compiled into the library (a build tree).
#pragma once

#include <string>
#include <vector>

#include "HostTypes.h"

// The preview environment image that Tavro material modules read.
inline constexpr char kTavroPreviewEnvironmentPath[] =
    "c:\\[Tavro]\\pluginFiles\\material\\EnvMatEdit.hdr";

// Registers (or replaces) the local file for a Windows path. Thread-safe.
void hostMapPath(const std::string& windowsPath, const std::string& localPath);
// Forgets every mapping registered by hostMapPath.
void hostClearPathMaps();

// The local file to open for `path`. Thread-safe.
std::string hostResolvePath(const std::string& path);

// The data folders that exist, in search order.
std::vector<std::string> hostDataFolders();

// UTF-8 form of a host string, as file names are passed to the system.
std::string hostNarrowString(const MSTR& s);
