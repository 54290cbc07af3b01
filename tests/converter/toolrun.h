#pragma once

#include <QByteArray>
#include <QImage>
#include <QMetaType>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

// Runs the built converter tools as processes, the way the program runs them,
// and the few file helpers their tests share.

enum class Tool { Png, Jpeg };
Q_DECLARE_METATYPE(Tool)

// The named font's cell ("Lucida Console": 2048 units per em, every ASCII
// advance 1234, ascent 1616, descent 432, no line gap) at 10 points, 96 DPI.
constexpr int kUnitsPerEm = 2048, kAdvance = 1234, kAscent = 1616, kDescent = 432;
constexpr float kEm = 10.f * 96 / 72;

struct ToolRun {
    int exitCode = -1;
    bool exitedNormally = false;
    QByteArray out;
    QByteArray err;
};

QString toolPath(Tool tool);

// childSetup, when given, runs in the child just before the tool starts.
ToolRun runTool(Tool tool, const QStringList& args,
                const std::function<void()>& childSetup = nullptr);

void writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);

// Every name in the folder, hidden ones (a tool's temporary files) included.
QStringList folderEntries(const QString& folder);

// While it lives, the tools see a machine whose only font besides their
// substitute is fontFile (none when empty).
class OnlySystemFont {
public:
    explicit OnlySystemFont(const QString& fontFile);
    ~OnlySystemFont();
    OnlySystemFont(const OnlySystemFont&) = delete;
    OnlySystemFont& operator=(const OnlySystemFont&) = delete;

private:
    QTemporaryDir dir_;
    QByteArray previous_;
};

// A proportional font with the replacement character, Arabic and Hebrew.
inline const QString kProportionalFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// Writes text into a file in folder, has the tool draw it and returns the
// decoded image; a null image (and a warning with the tool's message) when
// the run fails.
QImage drawText(Tool tool, const QString& folder, const QByteArray& text);
