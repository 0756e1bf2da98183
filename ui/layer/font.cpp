#include "ui/layer/font.h"

#include <cmath>

namespace tilu::ui {

namespace {

constexpr wchar_t kSansSerifFace[] = L"MS Sans Serif";
constexpr double kSansSerifPoints = 8.25;
constexpr double kPointsPerInch = 72.0;

}  // namespace

FontSpec SansSerifRegular() {
    return {kSansSerifFace, kSansSerifPoints, FW_NORMAL, ANSI_CHARSET};
}

FontSpec SansSerifBold() {
    return {kSansSerifFace, kSansSerifPoints, FW_BOLD, ANSI_CHARSET};
}

HFONT ScaledFont::At(UINT dpi) const {
    if (font_ && dpi_ == dpi) {
        return font_.get();
    }
    LOGFONTW log{};
    // A negative height asks for the character height (the em size), as point sizes mean.
    log.lfHeight = -static_cast<LONG>(std::lround(design_.points * dpi / kPointsPerInch));
    log.lfWeight = design_.weight;
    log.lfCharSet = design_.charset;
    log.lfOutPrecision = OUT_DEFAULT_PRECIS;
    log.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    log.lfQuality = DEFAULT_QUALITY;
    log.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    design_.face.copy(log.lfFaceName, LF_FACESIZE - 1);
    font_.reset(CreateFontIndirectW(&log));
    dpi_ = dpi;
    return font_.get();
}

}  // namespace tilu::ui
