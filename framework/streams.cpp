#include "framework/streams.h"

#include <algorithm>
#include <cstring>

#include "framework/exceptions.h"

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {
constexpr const char kReadError[] = "Stream-Lesefehler";
constexpr const char kWriteError[] = "Stream-Schreibfehler";
constexpr const char kPositionError[] = "Ung\xFCltige Stream-Position";
constexpr int64_t kCopyChunk = 61440;

int Seek64(std::FILE* f, int64_t offset, int whence) {
#if defined(_WIN32)
    return _fseeki64(f, offset, whence);
#else
    return fseeko(f, static_cast<off_t>(offset), whence);
#endif
}

int64_t Tell64(std::FILE* f) {
#if defined(_WIN32)
    return _ftelli64(f);
#else
    return static_cast<int64_t>(ftello(f));
#endif
}
}  // namespace

// -------------------------------------------------------------------- TStream

int64_t TStream::Size() {
    const int64_t pos = Seek(0, TSeekOrigin::soCurrent);
    const int64_t size = Seek(0, TSeekOrigin::soEnd);
    Seek(pos, TSeekOrigin::soBeginning);
    return size;
}

void TStream::SetSize(int64_t NewSize) { (void)NewSize; }

void TStream::ReadBuffer(void* Buffer, int64_t Count) {
    if (Count == 0) return;
    if (Count < 0 || Read(Buffer, Count) != Count) throw EReadError(kReadError);
}

void TStream::WriteBuffer(const void* Buffer, int64_t Count) {
    if (Count == 0) return;
    if (Count < 0 || Write(Buffer, Count) != Count) throw EWriteError(kWriteError);
}

int64_t TStream::CopyFrom(TStream& Source, int64_t Count) {
    if (Count < 0) throw EReadError(kReadError);
    if (Count == 0) {
        Source.SetPosition(0);
        Count = Source.Size();
    }
    const int64_t total = Count;
    std::vector<char> buf(static_cast<size_t>(std::min(Count, kCopyChunk)));
    while (Count > 0) {
        const int64_t n = std::min(Count, kCopyChunk);
        Source.ReadBuffer(buf.data(), n);
        WriteBuffer(buf.data(), n);
        Count -= n;
    }
    return total;
}

// -------------------------------------------------------------- TMemoryStream

int64_t TMemoryStream::Read(void* Buffer, int64_t Count) {
    const int64_t size = Size();
    if (Count <= 0 || pos_ < 0 || pos_ >= size) return 0;
    const int64_t n = std::min(Count, size - pos_);
    std::memcpy(Buffer, data_.data() + pos_, static_cast<size_t>(n));
    pos_ += n;
    return n;
}

int64_t TMemoryStream::Write(const void* Buffer, int64_t Count) {
    int64_t end = 0;
    if (Count <= 0 || __builtin_add_overflow(pos_, Count, &end) ||
        static_cast<uint64_t>(end) > data_.max_size())
        return 0;
    const char* bytes = static_cast<const char*>(Buffer);
    const size_t want = static_cast<size_t>(end);
    // Grow by half the capacity at least, so a series of small writes costs
    // amortised constant time.
    if (want > data_.capacity()) data_.reserve(std::max(want, data_.capacity() + data_.capacity() / 2 + 256));
    if (pos_ == Size()) {
        // Appending: the new bytes are copied in once, never zero-filled first.
        data_.insert(data_.end(), bytes, bytes + Count);
    } else {
        // A gap left by a seek beyond the end reads as zeros.
        if (end > Size()) data_.resize(want);
        std::memcpy(data_.data() + pos_, bytes, static_cast<size_t>(Count));
    }
    pos_ = end;
    return Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin) {
    const int64_t base = Origin == TSeekOrigin::soBeginning ? 0 : Origin == TSeekOrigin::soCurrent ? pos_ : Size();
    int64_t target = 0;
    if (__builtin_add_overflow(base, Offset, &target) || target < 0) throw EStreamError(kPositionError);
    pos_ = target;
    return pos_;
}

void TMemoryStream::SetSize(int64_t NewSize) {
    if (NewSize < 0) NewSize = 0;
    data_.resize(static_cast<size_t>(NewSize));
    if (pos_ > NewSize) pos_ = NewSize;
}

void TMemoryStream::Reserve(int64_t Bytes) {
    int64_t end = 0;
    if (Bytes <= 0 || __builtin_add_overflow(pos_, Bytes, &end) || static_cast<uint64_t>(end) > data_.max_size())
        return;
    if (static_cast<size_t>(end) > data_.capacity()) data_.reserve(static_cast<size_t>(end));
}

void TMemoryStream::Clear() {
    std::vector<char>().swap(data_);
    pos_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& Stream) {
    Stream.SetPosition(0);
    const int64_t n = Stream.Size();
    SetSize(n);
    if (n > 0) Stream.ReadBuffer(data_.data(), n);
}

void TMemoryStream::SaveToStream(TStream& Stream) {
    if (!data_.empty()) Stream.WriteBuffer(data_.data(), Size());
}

void TMemoryStream::LoadFromFile(const std::string& FileName) {
    TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(f);
}

void TMemoryStream::SaveToFile(const std::string& FileName) {
    TFileStream f(FileName, fmCreate);
    SaveToStream(f);
    f.Close();
}

// -------------------------------------------------------------- TStringStream

TStringStream::TStringStream(const std::string& Data) {
    if (!Data.empty()) WriteBuffer(Data.data(), static_cast<int64_t>(Data.size()));
    SetPosition(0);
}

std::string TStringStream::DataString() const {
    return std::string(Memory(), static_cast<size_t>(const_cast<TStringStream*>(this)->Size()));
}

// ---------------------------------------------------------------- TFileStream

TFileStream::TFileStream(const std::string& FileName, unsigned Mode) : file_name_(FileName) {
    if ((Mode & fmCreate) == fmCreate) {
        file_ = std::fopen(FileName.c_str(), "w+b");
        if (!file_) throw EFCreateError("Datei \"" + FileName + "\" kann nicht erstellt werden");
        return;
    }
    const unsigned access = Mode & 0x3u;
    file_ = std::fopen(FileName.c_str(), access == fmOpenRead ? "rb" : "r+b");
    if (!file_) throw EFOpenError("Datei \"" + FileName + "\" kann nicht ge\xF6" "ffnet werden");
}

TFileStream::~TFileStream() {
    if (file_) std::fclose(file_);
}

void TFileStream::Close() {
    if (!file_) return;
    std::FILE* f = file_;
    file_ = nullptr;
    const bool flushed = std::fflush(f) == 0;
    const bool closed = std::fclose(f) == 0;
    if (written_ && (!flushed || !closed)) throw EWriteError(kWriteError);
}

void TFileStream::SwitchTo(LastOp op) {
    // stdio needs a positioning call between a write and a following read
    // (and the other way round).
    if (last_op_ != LastOp::None && last_op_ != op) Seek64(file_, 0, SEEK_CUR);
    last_op_ = op;
}

int64_t TFileStream::Read(void* Buffer, int64_t Count) {
    if (Count <= 0 || !file_) return 0;
    SwitchTo(LastOp::Read);
    return static_cast<int64_t>(std::fread(Buffer, 1, static_cast<size_t>(Count), file_));
}

int64_t TFileStream::Write(const void* Buffer, int64_t Count) {
    if (Count <= 0 || !file_) return 0;
    SwitchTo(LastOp::Write);
    written_ = true;
    const size_t n = std::fwrite(Buffer, 1, static_cast<size_t>(Count), file_);
    // What stays in stdio's buffer is not written yet: a failing flush
    // (full disk) counts as nothing written.
    if (std::fflush(file_) != 0) return 0;
    return static_cast<int64_t>(n);
}

int64_t TFileStream::Seek(int64_t Offset, TSeekOrigin Origin) {
    const int whence = Origin == TSeekOrigin::soBeginning ? SEEK_SET
                       : Origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                          : SEEK_END;
    last_op_ = LastOp::None;
    if (!file_ || Seek64(file_, Offset, whence) != 0) return -1;
    return Tell64(file_);
}

void TFileStream::SetSize(int64_t NewSize) {
    if (!file_) throw EWriteError(kWriteError);
    if (NewSize < 0) NewSize = 0;
    const int64_t pos = Position();
    std::fflush(file_);
#if defined(_WIN32)
    const bool ok = _chsize_s(_fileno(file_), NewSize) == 0;
#else
    const bool ok = ftruncate(fileno(file_), static_cast<off_t>(NewSize)) == 0;
#endif
    if (!ok) throw EWriteError(kWriteError);
    Seek(std::min(pos, NewSize), TSeekOrigin::soBeginning);
}
