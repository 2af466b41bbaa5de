// GIF block walk and single-frame reduction of the HTML pictures.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "controls/html/gif_frames.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    GifLayout layout;
    if (!ParseGif(bytes, layout)) return 0;
    for (size_t i = 0; i < layout.Frames.size() && i < 4; ++i) {
        GifLayout again;
        // A reduced file is itself a GIF of exactly one frame.
        FUZZ_CHECK(ParseGif(GifSingleFrame(bytes, layout, i), again) && again.Frames.size() == 1);
    }
    return 0;
}
