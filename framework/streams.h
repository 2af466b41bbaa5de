// Stream family: TStream with checked ReadBuffer/WriteBuffer, TMemoryStream,
// TStringStream and TFileStream (stdio based, so it builds everywhere).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "object.h"

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
    // Read and Write return the number of bytes moved (0 at the end).
    virtual int64_t Read(void* Buffer, int64_t Count) = 0;
    virtual int64_t Write(const void* Buffer, int64_t Count) = 0;
    virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;

    int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(int64_t Pos) { Seek(Pos, TSeekOrigin::soBeginning); }
    virtual int64_t Size();
    virtual void SetSize(int64_t NewSize);
    // A hint that about Bytes more bytes are coming at the position: a
    // stream that grows in memory makes room for them at once. Changes
    // nothing a reader can see; the default does nothing.
    virtual void Reserve(int64_t Bytes) { (void)Bytes; }

    // Raise EReadError / EWriteError when fewer than Count bytes move.
    void ReadBuffer(void* Buffer, int64_t Count);
    void WriteBuffer(const void* Buffer, int64_t Count);
    // Copies Count bytes from the source's position, or with 0 the whole
    // source from its start; returns the count. A negative count is refused
    // with EReadError before anything moves (it would come from a wrong
    // calculation, and copying the whole source instead would hide that).
    int64_t CopyFrom(TStream& Source, int64_t Count);
};

// Positions run from 0 to INT64_MAX. Seek to a position outside them raises
// EStreamError and leaves the position as it was; a position beyond the end
// is allowed (a write there fills the gap with zeros). Write returns 0 when
// the end of the written bytes would lie beyond the largest position.
class TMemoryStream : public TStream {
public:
    int64_t Read(void* Buffer, int64_t Count) override;
    int64_t Write(const void* Buffer, int64_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    int64_t Size() override { return static_cast<int64_t>(data_.size()); }
    void SetSize(int64_t NewSize) override;
    void Reserve(int64_t Bytes) override;
    void Clear();
    const char* Memory() const { return data_.data(); }
    char* Memory() { return data_.data(); }
    void LoadFromStream(TStream& Stream);
    void SaveToStream(TStream& Stream);
    void LoadFromFile(const std::string& FileName);
    void SaveToFile(const std::string& FileName);

private:
    std::vector<char> data_;
    int64_t pos_ = 0;
};

class TStringStream : public TMemoryStream {
public:
    explicit TStringStream(const std::string& Data = std::string());
    std::string DataString() const;
};

// Access in the low bits, sharing in bits 4-6 (accepted, not enforced: stdio
// has no sharing modes), fmCreate alone creates or truncates for read/write.
enum TFileMode : unsigned {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareCompat = 0x0000,
    fmShareExclusive = 0x0010,
    fmShareDenyWrite = 0x0020,
    fmShareDenyRead = 0x0030,
    fmShareDenyNone = 0x0040,
    fmCreate = 0xFF00,
};

// Every Write goes to the file at once (stdio's buffer is flushed), so a
// full disk shows as a short write and WriteBuffer raises EWriteError.
class TFileStream : public TStream {
public:
    // Raises EFOpenError or EFCreateError (message names the file).
    TFileStream(const std::string& FileName, unsigned Mode);
    // Closes a stream still open; everything was written by then, and a
    // failing close cannot be reported here: writers call Close().
    ~TFileStream() override;
    // Closes the file; raises EWriteError when a stream that was written to
    // fails to close. Later reads and writes move nothing.
    void Close();
    int64_t Read(void* Buffer, int64_t Count) override;
    int64_t Write(const void* Buffer, int64_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    void SetSize(int64_t NewSize) override;
    const std::string& FileName() const { return file_name_; }

private:
    enum class LastOp { None, Read, Write };
    void SwitchTo(LastOp op);

    std::FILE* file_ = nullptr;
    std::string file_name_;
    bool written_ = false;
    LastOp last_op_ = LastOp::None;
};
