// Byte streams: checked transfers, the memory stream and the file stream over POSIX descriptors.
// No sharing locks: on this platform they would bind only cooperating programs, yet cost two system
// calls per file on the weld's hot path.
#include "runtime/Stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "runtime/Exceptions.h"
#include "runtime/FolderHandles.h"

namespace plexon {

namespace {
constexpr std::size_t kReadAhead = 8192;
constexpr std::int64_t kCopyChunk = 64 * 1024;
}  // namespace

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
    if (count != 0 && Read(buffer, count) != count) throw EReadError(std::string(msg::kReadError));
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count) {
    if (count != 0 && Write(buffer, count) != count) throw EWriteError(std::string(msg::kWriteError));
}

void TStream::WriteBuffers(const void* first, std::int64_t firstCount, const void* second,
                           std::int64_t secondCount) {
    WriteBuffer(first, firstCount);
    WriteBuffer(second, secondCount);
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    std::vector<std::uint8_t> chunk(std::size_t(std::min(count, kCopyChunk)));
    for (std::int64_t left = count; left > 0;) {
        const std::int64_t n = std::min<std::int64_t>(left, std::int64_t(chunk.size()));
        source.ReadBuffer(chunk.data(), n);
        WriteBuffer(chunk.data(), n);
        left -= n;
    }
    return count;
}

// ---- TMemoryStream ----

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count) {
    const std::int64_t available = std::int64_t(data_.size()) - position_;
    if (count <= 0 || available <= 0) return 0;
    const std::int64_t n = std::min(count, available);
    std::memcpy(buffer, data_.data() + position_, std::size_t(n));
    position_ += n;
    return n;
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
    if (count <= 0) return 0;
    const std::int64_t end = position_ + count;
    if (end > std::int64_t(data_.size())) data_.resize(std::size_t(end));
    std::memcpy(data_.data() + position_, buffer, std::size_t(count));
    position_ = end;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, SeekOrigin origin) {
    switch (origin) {
        case SeekOrigin::Begin:
            position_ = offset;
            break;
        case SeekOrigin::Current:
            position_ += offset;
            break;
        case SeekOrigin::End:
            position_ = std::int64_t(data_.size()) + offset;
            break;
    }
    position_ = std::max<std::int64_t>(position_, 0);
    return position_;
}

void TMemoryStream::SetSize(std::int64_t size) {
    data_.resize(std::size_t(std::max<std::int64_t>(size, 0)));
    position_ = std::min(position_, std::int64_t(data_.size()));
}

void TMemoryStream::Clear() {
    data_.clear();
    data_.shrink_to_fit();
    position_ = 0;
}

std::int64_t WriteGathered(int fd, std::int64_t offset, const void* first, std::int64_t firstCount,
                           const void* second, std::int64_t secondCount) {
    iovec parts[2] = {{const_cast<void*>(first), std::size_t(std::max<std::int64_t>(firstCount, 0))},
                      {const_cast<void*>(second), std::size_t(std::max<std::int64_t>(secondCount, 0))}};
    std::int64_t written = 0;
    int index = 0;
    for (;;) {
        while (index < 2 && parts[index].iov_len == 0) ++index;
        if (index == 2) return written;
        const ssize_t n = ::pwritev(fd, parts + index, 2 - index, off_t(offset + written));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            // Taking nothing without an error can only mean the medium is full.
            if (n == 0) errno = ENOSPC;
            return written;
        }
        written += n;
        // A partial write leaves the rest of the pieces for the next call.
        for (std::size_t done = std::size_t(n); done > 0;) {
            const std::size_t step = std::min(done, parts[index].iov_len);
            parts[index].iov_base = static_cast<std::uint8_t*>(parts[index].iov_base) + step;
            parts[index].iov_len -= step;
            done -= step;
            if (parts[index].iov_len == 0) ++index;
        }
    }
}

// ---- TFileStream ----

TFileStream::TFileStream(const std::string& path, FileMode mode) {
    if (mode == FileMode::OpenRead) {
        // Without O_NONBLOCK the open of a FIFO waits for a writer that may never come; it changes
        // nothing for a regular file, the only kind read here.
        fd_ = OpenFile(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd_ < 0) {
            const int error = errno;
            throw EFOpenError(Format(msg::kFOpen, {path}), path, FileReason("cannot open", error));
        }
        struct stat info {};
        const bool statted = ::fstat(fd_, &info) == 0;
        if (!statted || !S_ISREG(info.st_mode)) {
            // A folder, FIFO, socket or device has no size to read up to, and a read may never end.
            const int error = errno;
            ::close(fd_);
            throw EFOpenError(Format(msg::kFOpen, {path}), path,
                              statted ? std::string(msg::kNotRegularFile) : FileReason("cannot open", error));
        }
        openedSize_ = std::int64_t(info.st_size);
    } else {
        fd_ = OpenFile(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd_ < 0) throw EFCreateError(Format(msg::kFCreate, {path}));
        openedSize_ = 0;
    }
}

TFileStream::~TFileStream() {
    ::close(fd_);
}

void TFileStream::DropBuffer() {
    bufferPos_ = bufferEnd_ = 0;
}

std::int64_t TFileStream::ReadDirect(void* buffer, std::int64_t count) {
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::int64_t done = 0;
    while (done < count) {
        const ssize_t n = ::pread(fd_, out + done, std::size_t(count - done), off_t(position_ + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
    if (count <= 0) return 0;
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::int64_t done = 0;
    if (bufferPos_ == bufferEnd_ && std::size_t(count) < kReadAhead) {
        if (!buffer_) buffer_.reset(new std::uint8_t[kReadAhead]);
        bufferPos_ = 0;
        // Asking for no more than the file held when opened saves the read that would only find
        // the end; a file that grew since is still read in full by the direct reads below.
        const std::int64_t wanted =
            std::clamp<std::int64_t>(openedSize_ - position_, std::int64_t(count), std::int64_t(kReadAhead));
        bufferEnd_ = std::size_t(ReadDirect(buffer_.get(), wanted));
    }
    if (bufferPos_ < bufferEnd_) {
        const std::size_t n = std::min(bufferEnd_ - bufferPos_, std::size_t(count));
        std::memcpy(out, buffer_.get() + bufferPos_, n);
        bufferPos_ += n;
        position_ += std::int64_t(n);
        done = std::int64_t(n);
    }
    if (done < count) {
        // The read-ahead is exhausted; the rest goes straight into the caller's memory.
        const std::int64_t n = ReadDirect(out + done, count - done);
        position_ += n;
        done += n;
    }
    return done;
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
    if (count <= 0) return 0;
    DropBuffer();
    written_ = true;
    const auto* in = static_cast<const std::uint8_t*>(buffer);
    std::int64_t done = 0;
    while (done < count) {
        const ssize_t n = ::pwrite(fd_, in + done, std::size_t(count - done), off_t(position_));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
        position_ += n;
    }
    return done;
}

void TFileStream::WriteBuffers(const void* first, std::int64_t firstCount, const void* second,
                               std::int64_t secondCount) {
    DropBuffer();
    written_ = true;
    const std::int64_t done = WriteGathered(fd_, position_, first, firstCount, second, secondCount);
    position_ += done;
    if (done < std::max<std::int64_t>(firstCount, 0) + std::max<std::int64_t>(secondCount, 0))
        throw EWriteError(std::string(msg::kWriteError));
}

std::int64_t TFileStream::Seek(std::int64_t offset, SeekOrigin origin) {
    std::int64_t target = position_;
    switch (origin) {
        case SeekOrigin::Begin:
            target = offset;
            break;
        case SeekOrigin::Current:
            target = position_ + offset;
            break;
        case SeekOrigin::End:
            target = Size() + offset;
            break;
    }
    target = std::max<std::int64_t>(target, 0);
    if (target == position_) return position_;
    // Keep the read-ahead when the new position still falls inside it.
    const std::int64_t bufferStart = position_ - std::int64_t(bufferPos_);
    if (target >= bufferStart && target < bufferStart + std::int64_t(bufferEnd_)) {
        bufferPos_ = std::size_t(target - bufferStart);
    } else {
        DropBuffer();
    }
    position_ = target;
    return position_;
}

std::int64_t TFileStream::Size() {
    // A stream that has not written anything yet still has the size it was opened with.
    if (!written_) return openedSize_;
    struct stat info {};
    return ::fstat(fd_, &info) == 0 ? std::int64_t(info.st_size) : 0;
}

}  // namespace plexon
