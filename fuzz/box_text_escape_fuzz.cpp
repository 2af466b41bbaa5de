// The message box's escaping of foreign text: a pure function whose result
// holds no '<' or '>' and no '&' that does not start one of its entities,
// and whose entities undone give the text back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "controls/dialogs/box_text.h"
#include "fuzz/fuzz_support.h"

namespace {

constexpr const char* kEntities[][2] = {{"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}};

// The escaped text read back entity by entity; ok false at a raw '<' or '>'
// or at a '&' that starts none of the entities.
std::string Unescape(const std::string& s, bool& ok) {
    ok = true;
    std::string out;
    for (size_t i = 0; i < s.size() && ok;) {
        if (s[i] == '<' || s[i] == '>') {
            ok = false;
        } else if (s[i] != '&') {
            out.push_back(s[i++]);
        } else {
            ok = false;
            for (const auto& e : kEntities) {
                const std::string entity = e[0];
                if (s.compare(i, entity.size(), entity) == 0) {
                    out += e[1];
                    i += entity.size();
                    ok = true;
                    break;
                }
            }
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string foreign(reinterpret_cast<const char*>(data), size);
    const std::string escaped = EscapeBoxText(foreign);
    FUZZ_CHECK(EscapeBoxText(foreign) == escaped);
    bool ok = false;
    FUZZ_CHECK(Unescape(escaped, ok) == foreign && ok);
    return 0;
}
