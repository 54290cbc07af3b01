#include "fallbackconfig.h"

#include <cstdlib>

namespace converter {
namespace {

// fontconfig's own configuration tree (about two hundred files on a desktop)
// takes it several milliseconds to read, several times a whole run for an
// ASCII address. This one names only what ranks the fallback fonts: the
// standard font and cache folders, outline fonts (the tool draws no others),
// and the families fontconfig's stock files prefer for "monospace"
// (58-dejavu-lgc-sans-mono, 60-latin, 65-nonlatin, 69-unifont and
// 65-fonts-persian, in that order). On a Debian 12 system it picks the same
// font as the whole tree for every character that any font has.
constexpr const char* kConfig = R"(<fontconfig>
  <dir>/usr/share/fonts</dir>
  <dir>/usr/local/share/fonts</dir>
  <dir prefix="xdg">fonts</dir>
  <dir>~/.fonts</dir>
  <cachedir>/var/cache/fontconfig</cachedir>
  <cachedir prefix="xdg">fontconfig</cachedir>
  <cachedir>~/.fontconfig</cachedir>
  <selectfont><rejectfont><pattern>
    <patelt name="outline"><bool>false</bool></patelt>
  </pattern></rejectfont></selectfont>
  <alias>
    <family>monospace</family>
    <prefer>
      <family>DejaVu LGC Sans Mono</family>
      <family>Noto Sans Mono</family>
      <family>DejaVu Sans Mono</family>
      <family>Inconsolata</family>
      <family>Andale Mono</family>
      <family>Courier New</family>
      <family>Cumberland AMT</family>
      <family>Luxi Mono</family>
      <family>Nimbus Mono L</family>
      <family>Nimbus Mono</family>
      <family>Nimbus Mono PS</family>
      <family>Courier</family>
      <family>Miriam Mono</family>
      <family>VL Gothic</family>
      <family>IPAMonaGothic</family>
      <family>IPAGothic</family>
      <family>Sazanami Gothic</family>
      <family>Kochi Gothic</family>
      <family>AR PL KaitiM GB</family>
      <family>MS Gothic</family>
      <family>UmePlus Gothic</family>
      <family>NSimSun</family>
      <family>MingLiu</family>
      <family>AR PL ShanHeiSun Uni</family>
      <family>AR PL New Sung Mono</family>
      <family>HanyiSong</family>
      <family>AR PL SungtiL GB</family>
      <family>AR PL Mingti2L Big5</family>
      <family>ZYSong18030</family>
      <family>NanumGothicCoding</family>
      <family>NanumGothic</family>
      <family>UnDotum</family>
      <family>Baekmuk Dotum</family>
      <family>Baekmuk Gulim</family>
      <family>TlwgTypo</family>
      <family>TlwgTypist</family>
      <family>TlwgTypewriter</family>
      <family>TlwgMono</family>
      <family>Hasida</family>
      <family>GF Zemen Unicode</family>
      <family>Hapax Berbère</family>
      <family>Lohit Bengali</family>
      <family>Lohit Gujarati</family>
      <family>Lohit Hindi</family>
      <family>Lohit Marathi</family>
      <family>Lohit Maithili</family>
      <family>Lohit Kashmiri</family>
      <family>Lohit Konkani</family>
      <family>Lohit Nepali</family>
      <family>Lohit Sindhi</family>
      <family>Lohit Punjabi</family>
      <family>Lohit Tamil</family>
      <family>Meera</family>
      <family>Lohit Malayalam</family>
      <family>Lohit Kannada</family>
      <family>Lohit Telugu</family>
      <family>Lohit Oriya</family>
      <family>LKLUG</family>
      <family>FreeMono</family>
    </prefer>
    <accept><family>Terafik</family></accept>
  </alias>
</fontconfig>
)";

} // namespace

FcConfig* loadFallbackConfig(const FontconfigApi& fc) {
    // A configuration the user points fontconfig at is theirs to keep.
    if (std::getenv("FONTCONFIG_FILE") || std::getenv("FONTCONFIG_PATH"))
        return fc.InitLoadConfigAndFonts();
    FcConfig* config = fc.ConfigCreate();
    if (config &&
        fc.ConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(kConfig),
                                        FcFalse) &&
        fc.ConfigBuildFonts(config))
        return config;
    if (config)
        fc.ConfigDestroy(config);
    return fc.InitLoadConfigAndFonts();
}

} // namespace converter
