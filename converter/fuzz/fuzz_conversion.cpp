// Feeds arbitrary bytes through what drawing one image does, as the command
// line calls it on each of its threads: decode, lay out, draw, encode, and
// put the file in place beneath an output folder.

#include "conversionerror.h"
#include "drawtofile.h"
#include "font.h"
#include "textdecode.h"

#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

// A scratch folder of its own, removed with its one image at exit.
int scratchFolder() {
    static char path[] = "/tmp/converter-fuzz-XXXXXX";
    if (!::mkdtemp(path))
        std::abort();
    std::atexit([] {
        ::unlink((std::string(path) + "/image").c_str());
        ::rmdir(path);
    });
    return ::open(path, O_PATH | O_DIRECTORY | O_CLOEXEC);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace converter;
    // One font for every input, as a thread keeps one: fallback faces found
    // for one input are reused by the next.
    static Font font;
    static GlyphCache glyphs(font);
    static const int folder = scratchFolder();
    static const std::atomic<bool> neverStopped{false};
    static std::mutex placing;
    // The length picks the format, so both encoders see every kind of text
    // without a byte of the text spent on choosing.
    const ImageFormat format = size % 2 == 0 ? ImageFormat::Png : ImageFormat::Jpeg;
    const std::u32string text =
        decodeText(std::string_view(reinterpret_cast<const char*>(data), size));
    try {
        DrawTextToFiles(text, glyphs, format, folder, {{DrawStyle{}, "image", "image"}},
                        {neverStopped, placing});
    } catch (const ConversionError&) {
        // Refusing a text (nothing to draw, too large) is a sound answer.
    }
    return 0;
}
