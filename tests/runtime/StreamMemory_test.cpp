// Memory stream behaviour and the checked reads and writes every stream shares.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "runtime/Exceptions.h"
#include "runtime/Stream.h"

namespace plexon {
namespace {

TEST(MemoryStream, WriteGrowsAndReadReturnsWhatWasWritten) {
    TMemoryStream stream;
    stream.WriteBuffer("abcdef", 6);
    EXPECT_EQ(stream.Size(), 6);
    EXPECT_EQ(stream.Position(), 6);
    stream.SetPosition(2);
    char out[4] = {};
    EXPECT_EQ(stream.Read(out, 3), 3);
    EXPECT_EQ(std::string(out, 3), "cde");
}

TEST(MemoryStream, ReadStopsAtTheEnd) {
    TMemoryStream stream;
    stream.WriteBuffer("xyz", 3);
    stream.SetPosition(1);
    char out[8] = {};
    EXPECT_EQ(stream.Read(out, 8), 2);
    EXPECT_EQ(stream.Read(out, 8), 0);
}

TEST(MemoryStream, SeekFromEveryOrigin) {
    TMemoryStream stream;
    stream.WriteBuffer("0123456789", 10);
    EXPECT_EQ(stream.Seek(3, SeekOrigin::Begin), 3);
    EXPECT_EQ(stream.Seek(2, SeekOrigin::Current), 5);
    EXPECT_EQ(stream.Seek(-1, SeekOrigin::End), 9);
    EXPECT_EQ(stream.Seek(-100, SeekOrigin::Current), 0);
}

TEST(MemoryStream, WritingPastTheEndZeroFillsTheGap) {
    TMemoryStream stream;
    stream.SetPosition(4);
    stream.WriteBuffer("A", 1);
    ASSERT_EQ(stream.Size(), 5);
    EXPECT_EQ(std::memcmp(stream.Memory(), "\0\0\0\0A", 5), 0);
}

TEST(MemoryStream, SetSizeClampsThePosition) {
    TMemoryStream stream;
    stream.WriteBuffer("abcdef", 6);
    stream.SetSize(2);
    EXPECT_EQ(stream.Size(), 2);
    EXPECT_EQ(stream.Position(), 2);
    stream.Clear();
    EXPECT_EQ(stream.Size(), 0);
    EXPECT_EQ(stream.Position(), 0);
}

TEST(CheckedTransfers, ShortReadRaisesReadError) {
    TMemoryStream stream;
    stream.WriteBuffer("ab", 2);
    stream.SetPosition(0);
    char out[3];
    try {
        stream.ReadBuffer(out, 3);
        FAIL() << "no error";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Stream read error");
    }
}

TEST(CheckedTransfers, ZeroByteReadAtTheEndIsFine) {
    TMemoryStream stream;
    EXPECT_NO_THROW(stream.ReadBuffer(nullptr, 0));
}

// A stream that takes only a few bytes, like a full medium.
class FullStream : public TMemoryStream {
  public:
    std::int64_t Write(const void* buffer, std::int64_t count) override {
        return TMemoryStream::Write(buffer, std::min<std::int64_t>(count, 2));
    }
};

TEST(CheckedTransfers, ShortWriteRaisesWriteError) {
    FullStream stream;
    try {
        stream.WriteBuffer("abc", 3);
        FAIL() << "no error";
    } catch (const EWriteError& e) {
        EXPECT_EQ(e.Message(), "Stream write error");
    }
}

TEST(CheckedTransfers, CopyFromWholeSourceWhenCountIsZero) {
    TMemoryStream source;
    source.WriteBuffer("hello", 5);
    TMemoryStream target;
    EXPECT_EQ(target.CopyFrom(source, 0), 5);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(target.Memory()), 5), "hello");
}

TEST(CheckedTransfers, CopyFromPartOfSource) {
    TMemoryStream source;
    source.WriteBuffer("hello", 5);
    source.SetPosition(1);
    TMemoryStream target;
    target.CopyFrom(source, 3);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(target.Memory()), 3), "ell");
    source.SetPosition(4);
    EXPECT_THROW(target.CopyFrom(source, 3), EReadError);
}

}  // namespace
}  // namespace plexon
