// Memory and string streams driven by a series of operations, checked
// against a plain model: bytes, position and size always agree, an impossible
// position or write raises a stream error and changes nothing.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "framework/exceptions.h"
#include "framework/streams.h"
#include "fuzz/fuzz_support.h"

namespace {

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
// Writes that would grow the stream beyond this are not made: they only ask
// for memory.
constexpr int64_t kRoom = 1 << 20;

struct Model {
    std::string data;
    int64_t pos = 0;
};

int64_t Offset(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
        case 0: return in.ConsumeIntegralInRange<int64_t>(-64, 64);
        case 1: return kMax - in.ConsumeIntegralInRange<int64_t>(0, 64);
        case 2: return std::numeric_limits<int64_t>::min() + in.ConsumeIntegralInRange<int64_t>(0, 64);
        default: return in.ConsumeIntegral<int64_t>();
    }
}

void Same(TMemoryStream& s, const Model& m) {
    FUZZ_CHECK(s.Size() == static_cast<int64_t>(m.data.size()));
    FUZZ_CHECK(s.Position() == m.pos);
    FUZZ_CHECK(m.data.empty() || std::memcmp(s.Memory(), m.data.data(), m.data.size()) == 0);
}

void Write(TMemoryStream& s, Model& m, const std::string& bytes, bool checked) {
    const auto n = static_cast<int64_t>(bytes.size());
    const bool fits = m.pos <= kMax - n;
    if (fits && m.pos + n > kRoom && n > 0) return;
    if (n > 0 && fits) {
        if (m.pos + n > static_cast<int64_t>(m.data.size())) m.data.resize(static_cast<size_t>(m.pos + n));
        m.data.replace(static_cast<size_t>(m.pos), bytes.size(), bytes);
        m.pos += n;
    }
    if (!checked) {
        FUZZ_CHECK(s.Write(bytes.data(), n) == (fits ? n : 0));
        return;
    }
    try {
        s.WriteBuffer(bytes.data(), n);
        FUZZ_CHECK(fits);
    } catch (const EWriteError&) {
        FUZZ_CHECK(!fits);
    }
}

void Read(TMemoryStream& s, Model& m, int64_t count, bool checked) {
    const int64_t size = static_cast<int64_t>(m.data.size());
    const int64_t avail = m.pos < size ? size - m.pos : 0;
    const int64_t n = count <= 0 ? 0 : std::min(count, avail);
    std::vector<char> buf(static_cast<size_t>(std::max<int64_t>(count, 1)));
    if (!checked) {
        FUZZ_CHECK(s.Read(buf.data(), count) == n);
    } else {
        try {
            s.ReadBuffer(buf.data(), count);
            FUZZ_CHECK(count == 0 || n == count);
        } catch (const EReadError&) {
            FUZZ_CHECK(n != count);
            // The bytes that were there have been read.
        }
    }
    if (n > 0) FUZZ_CHECK(std::memcmp(buf.data(), m.data.data() + m.pos, static_cast<size_t>(n)) == 0);
    m.pos += n;
}

void Seek(TMemoryStream& s, Model& m, int64_t offset, TSeekOrigin origin) {
    const int64_t base = origin == TSeekOrigin::soBeginning ? 0
                         : origin == TSeekOrigin::soCurrent ? m.pos
                                                           : static_cast<int64_t>(m.data.size());
    int64_t target = 0;
    const bool possible = !__builtin_add_overflow(base, offset, &target) && target >= 0;
    try {
        FUZZ_CHECK(s.Seek(offset, origin) == target);
        FUZZ_CHECK(possible);
        m.pos = target;
    } catch (const EStreamError&) {
        FUZZ_CHECK(!possible);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    FuzzedDataProvider in(Data, Size);
    TStringStream s(in.ConsumeRandomLengthString(64));
    Model m;
    m.data = s.DataString();
    Same(s, m);
    for (int step = 0; step < 64 && in.remaining_bytes() > 0; ++step) {
        switch (in.ConsumeIntegralInRange<int>(0, 7)) {
            case 0: Write(s, m, in.ConsumeRandomLengthString(32), in.ConsumeBool()); break;
            case 1: Read(s, m, in.ConsumeIntegralInRange<int64_t>(-2, 80), in.ConsumeBool()); break;
            case 2: Seek(s, m, Offset(in), static_cast<TSeekOrigin>(in.ConsumeIntegralInRange<int>(0, 2))); break;
            case 3: {
                const int64_t size = in.ConsumeIntegralInRange<int64_t>(-4, 256);
                s.SetSize(size);
                m.data.resize(static_cast<size_t>(std::max<int64_t>(size, 0)));
                m.pos = std::min(m.pos, static_cast<int64_t>(m.data.size()));
                break;
            }
            case 4: {
                // Copy from another stream: 0 takes all of it from its start,
                // a negative count is refused, more than it holds is a read
                // error before anything is written (one chunk here).
                TStringStream source(in.ConsumeRandomLengthString(48));
                const std::string all = source.DataString();
                const int64_t at = in.ConsumeIntegralInRange<int64_t>(0, source.Size());
                source.SetPosition(at);
                const int64_t count = in.ConsumeIntegralInRange<int64_t>(-2, 64);
                const bool possible = count >= 0 && count <= static_cast<int64_t>(all.size()) - at;
                if (m.pos > kRoom) break;
                try {
                    const int64_t copied = s.CopyFrom(source, count);
                    FUZZ_CHECK(possible);
                    const std::string bytes = count == 0 ? all : all.substr(static_cast<size_t>(at), static_cast<size_t>(count));
                    FUZZ_CHECK(copied == static_cast<int64_t>(bytes.size()));
                    if (copied > 0) {
                        if (m.pos + copied > static_cast<int64_t>(m.data.size()))
                            m.data.resize(static_cast<size_t>(m.pos + copied));
                        m.data.replace(static_cast<size_t>(m.pos), bytes.size(), bytes);
                        m.pos += copied;
                    }
                } catch (const EReadError&) {
                    FUZZ_CHECK(!possible);
                }
                break;
            }
            case 5: s.Clear(); m = Model{}; break;
            case 6: {
                TMemoryStream copy;
                copy.LoadFromStream(s);
                FUZZ_CHECK(copy.Size() == static_cast<int64_t>(m.data.size()));
                FUZZ_CHECK(m.data.empty() || std::memcmp(copy.Memory(), m.data.data(), m.data.size()) == 0);
                m.pos = static_cast<int64_t>(m.data.size());  // read from the start to the end
                break;
            }
            default: FUZZ_CHECK(s.DataString() == m.data); break;
        }
        Same(s, m);
    }
    return 0;
}
