// Splitting of full file names into folder, file name and extension.
#include "Texmap.h"

void SplitFilename(const MSTR& name, MSTR* path, MSTR* file, MSTR* ext) {
    const std::size_t sep = name.find_last_of(L"\\/");
    const std::size_t fileStart = sep == MSTR::npos ? 0 : sep + 1;
    // The extension is the last dot of the file name and what follows; a dot in a folder
    // name does not count.
    std::size_t dot = name.find_last_of(L'.');
    if (dot == MSTR::npos || dot < fileStart) dot = name.size();
    if (path) *path = name.substr(0, fileStart);
    if (file) *file = name.substr(fileStart, dot - fileStart);
    if (ext) *ext = name.substr(dot);
}
