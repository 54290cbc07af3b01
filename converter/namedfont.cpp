#include "namedfont.h"

#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>

namespace converter {
namespace {

struct FontFolder {
    std::string path;
    int depth; // how many levels of subfolders to look into
};

// Where a copy of the font is put by hand or by a package: the user's font
// folders and the local one with their subfolders, and a few system folders
// on their own. Walking the whole system font tree would cost a desktop with
// thousands of font files more than drawing the text.
std::vector<FontFolder> usualFontFolders() {
    std::vector<FontFolder> folders;
    const char* home = std::getenv("HOME");
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && *dataHome)
        folders.push_back({std::string(dataHome) + "/fonts", 1});
    else if (home && *home)
        folders.push_back({std::string(home) + "/.local/share/fonts", 1});
    if (home && *home)
        folders.push_back({std::string(home) + "/.fonts", 1});
    folders.push_back({"/usr/local/share/fonts", 1});
    for (const char* path : {"/usr/share/fonts", "/usr/share/fonts/truetype",
                             "/usr/share/fonts/truetype/msttcorefonts", "/usr/share/fonts/TTF"})
        folders.push_back({path, 0});
    return folders;
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool looksLikeNamedFontFile(const char* fileName) {
    // Every name accepted starts with "lu": most files are passed over here.
    if (lowerAscii(fileName[0]) != 'l' || lowerAscii(fileName[1]) != 'u')
        return false;
    std::string name;
    for (const char* p = fileName; *p; ++p)
        if (*p != ' ' && *p != '_' && *p != '-')
            name.push_back(lowerAscii(*p));
    if (!endsWith(name, ".ttf") && !endsWith(name, ".otf"))
        return false;
    const std::string stem = name.substr(0, name.size() - 4);
    return stem == "lucon" || stem.rfind("lucidaconsole", 0) == 0;
}

bool isFolder(const std::string& path, unsigned char type) {
    if (type == DT_DIR)
        return true;
    if (type != DT_LNK && type != DT_UNKNOWN)
        return false;
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

void searchFolder(const std::string& folder, int depth, std::vector<std::string>& found) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    std::vector<std::string> subfolders;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        const bool candidate = looksLikeNamedFontFile(entry->d_name);
        if (!candidate && (depth == 0 || entry->d_type == DT_REG))
            continue;
        const std::string path = folder + "/" + entry->d_name;
        if (candidate)
            found.push_back(path);
        else if (isFolder(path, entry->d_type))
            subfolders.push_back(path);
    }
    ::closedir(dir);
    for (const std::string& subfolder : subfolders)
        searchFolder(subfolder, depth - 1, found);
}

} // namespace

std::vector<std::string> namedFontCandidates() {
    std::vector<std::string> found;
    for (const FontFolder& folder : usualFontFolders())
        searchFolder(folder.path, folder.depth, found);
    return found;
}

} // namespace converter
