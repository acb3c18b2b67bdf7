// Byte streams: the abstract stream with checked reads and writes, an in-memory stream and a file
// stream. No text or record framing here; readers of file formats build that on top.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plexon {

enum class SeekOrigin { Begin, Current, End };

class TStream {
  public:
    virtual ~TStream() = default;

    // Reads up to count bytes; fewer only at the end of the stream. Returns the number read.
    virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
    // Writes up to count bytes; fewer only when the medium refuses more. Returns the number written.
    virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
    // Returns the new position.
    virtual std::int64_t Seek(std::int64_t offset, SeekOrigin origin) = 0;
    virtual std::int64_t Size() = 0;

    std::int64_t Position() { return Seek(0, SeekOrigin::Current); }
    void SetPosition(std::int64_t position) { Seek(position, SeekOrigin::Begin); }

    // Exactly count bytes or EReadError "Stream read error".
    void ReadBuffer(void* buffer, std::int64_t count);
    // Exactly count bytes or EWriteError "Stream write error".
    void WriteBuffer(const void* buffer, std::int64_t count);
    // WriteBuffer of two pieces in order; a file stream hands both to the system in one call, which
    // matters when thousands of small files are written (headers, then pixels).
    virtual void WriteBuffers(const void* first, std::int64_t firstCount, const void* second,
                              std::int64_t secondCount);
    // Copies count bytes from source's position (all of source from its start when count is 0).
    std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

// Growable in-memory stream; Memory() stays valid until the next write or SetSize.
class TMemoryStream : public TStream {
  public:
    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override;
    std::int64_t Size() override { return std::int64_t(data_.size()); }

    void SetSize(std::int64_t size);
    void Clear();
    const std::uint8_t* Memory() const { return data_.data(); }
    std::uint8_t* Memory() { return data_.data(); }

  private:
    std::vector<std::uint8_t> data_;
    std::int64_t position_ = 0;
};

// Writes both pieces to the descriptor at the offset in as few system calls as the system allows,
// going on after partial writes; the bytes written, with errno set when that is fewer than all.
std::int64_t WriteGathered(int fd, std::int64_t offset, const void* first, std::int64_t firstCount,
                           const void* second, std::int64_t secondCount);

enum class FileMode {
    OpenRead,  // existing file, read only
    Create     // created or truncated, write only
};

// A file opened for the lifetime of the object. Small reads go through an internal buffer so that a
// reader of headers does not pay a system call per field; large reads and all writes go straight
// to the file.
class TFileStream : public TStream {
  public:
    // Raises EFOpenError "Cannot open file %s" or EFCreateError "Cannot create file %s" (the path
    // as given).
    TFileStream(const std::string& path, FileMode mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    void WriteBuffers(const void* first, std::int64_t firstCount, const void* second,
                      std::int64_t secondCount) override;
    std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override;
    std::int64_t Size() override;
    // The open file, for handing to a helper process; it stays the stream's.
    int Handle() const { return fd_; }

  private:
    std::int64_t ReadDirect(void* buffer, std::int64_t count);
    void DropBuffer();

    int fd_ = -1;
    std::int64_t position_ = 0;  // logical position seen by the caller
    std::int64_t openedSize_ = 0;
    bool written_ = false;
    // Read-ahead: buffer_[bufferPos_, bufferEnd_) holds the file bytes from position_ on.
    // Left uninitialised: only bytes read into it are ever used.
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::size_t bufferPos_ = 0;
    std::size_t bufferEnd_ = 0;
};

}  // namespace plexon
