// File stream: opening and creating with their errors, sharing, buffered and direct reads.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <numeric>
#include <string>
#include <vector>

#include "runtime/Exceptions.h"
#include "runtime/Stream.h"
#include "support/TempFolder.h"

namespace plexon {
namespace {

namespace fs = std::filesystem;

class FileStreamTest : public ::testing::Test {
  protected:
    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
    void WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        std::ofstream out(PathOf(name), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    test::TempFolder temp_;
    fs::path dir_ = temp_.PathWithoutDelimiter();
};

std::vector<std::uint8_t> Counting(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = std::uint8_t(i * 7 + i / 251);
    return bytes;
}

TEST_F(FileStreamTest, OnlyARegularFileOpensForReadingAndTheErrorSaysWhy) {
    // A FIFO without a writer would hold a blocking open forever.
    ASSERT_EQ(::mkfifo(PathOf("fifo.bmp").c_str(), 0600), 0);
    fs::create_directory(PathOf("folder.bmp"));
    const std::string notRegular(msg::kNotRegularFile);
    const struct {
        std::string path, reason;
    } cases[] = {
        {PathOf("fifo.bmp"), notRegular},
        {PathOf("folder.bmp"), notRegular},
        {"/dev/zero", notRegular},
        {PathOf("none.bmp"), "cannot open: No such file or directory"},
    };
    for (const auto& c : cases) {
        try {
            TFileStream stream(c.path, FileMode::OpenRead);
            ADD_FAILURE() << c.path << " opened";
        } catch (const EFOpenError& e) {
            EXPECT_EQ(e.Message(), "Cannot open file " + c.path);
            EXPECT_EQ(e.FilePath(), c.path);
            EXPECT_EQ(e.FileReason(), c.reason) << c.path;
        }
    }
}

TEST_F(FileStreamTest, UncreatableFileRaisesCreateError) {
    const std::string path = PathOf("no/such/folder/out.bmp");
    try {
        TFileStream stream(path, FileMode::Create);
        FAIL() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file " + path);
    }
}

TEST_F(FileStreamTest, CreateTruncatesAnExistingFile) {
    WriteFile("a.bin", Counting(100));
    {
        TFileStream stream(PathOf("a.bin"), FileMode::Create);
        stream.WriteBuffer("xy", 2);
    }
    EXPECT_EQ(fs::file_size(PathOf("a.bin")), 2u);
}

TEST_F(FileStreamTest, SizeFollowsWritesAndAFileThatGrewIsReadInFull) {
    WriteFile("a.bin", Counting(10));
    TFileStream reader(PathOf("a.bin"), FileMode::OpenRead);
    EXPECT_EQ(reader.Size(), 10);
    WriteFile("a.bin", Counting(20));  // grows while open
    std::uint8_t bytes[20] = {};
    EXPECT_EQ(reader.Read(bytes, 4), 4);
    EXPECT_EQ(reader.Read(bytes + 4, 16), 16);
    EXPECT_EQ(bytes[19], Counting(20)[19]);
    TFileStream writer(PathOf("b.bin"), FileMode::Create);
    EXPECT_EQ(writer.Size(), 0);
    writer.WriteBuffer("xyz", 3);
    EXPECT_EQ(writer.Size(), 3);
}

TEST_F(FileStreamTest, SmallAndLargeReadsReturnTheFileInOrder) {
    const std::vector<std::uint8_t> bytes = Counting(100000);
    WriteFile("a.bin", bytes);
    TFileStream stream(PathOf("a.bin"), FileMode::OpenRead);
    EXPECT_EQ(stream.Size(), 100000);
    std::vector<std::uint8_t> out(bytes.size());
    stream.ReadBuffer(out.data(), 14);
    stream.ReadBuffer(out.data() + 14, 4);
    stream.ReadBuffer(out.data() + 18, 36);
    stream.ReadBuffer(out.data() + 54, 100000 - 54);
    EXPECT_EQ(out, bytes);
    EXPECT_EQ(stream.Position(), 100000);
    EXPECT_EQ(stream.Read(out.data(), 1), 0);
}

TEST_F(FileStreamTest, SeekInsideAndOutsideTheReadAhead) {
    const std::vector<std::uint8_t> bytes = Counting(50000);
    WriteFile("a.bin", bytes);
    TFileStream stream(PathOf("a.bin"), FileMode::OpenRead);
    std::uint8_t b = 0;
    stream.ReadBuffer(&b, 1);
    stream.SetPosition(100);
    stream.ReadBuffer(&b, 1);
    EXPECT_EQ(b, bytes[100]);
    stream.SetPosition(40000);
    stream.ReadBuffer(&b, 1);
    EXPECT_EQ(b, bytes[40000]);
    stream.Seek(-2, SeekOrigin::End);
    stream.ReadBuffer(&b, 1);
    EXPECT_EQ(b, bytes[49998]);
    stream.SetPosition(3);
    stream.ReadBuffer(&b, 1);
    EXPECT_EQ(b, bytes[3]);
}

TEST_F(FileStreamTest, ReadingPastTheEndRaisesReadError) {
    WriteFile("a.bin", Counting(10));
    TFileStream stream(PathOf("a.bin"), FileMode::OpenRead);
    std::uint8_t out[20];
    EXPECT_THROW(stream.ReadBuffer(out, 20), EReadError);
}

TEST_F(FileStreamTest, WrittenBytesReadBack) {
    const std::vector<std::uint8_t> bytes = Counting(70000);
    {
        TFileStream stream(PathOf("a.bin"), FileMode::Create);
        stream.WriteBuffer(bytes.data(), 10);
        stream.WriteBuffer(bytes.data() + 10, std::int64_t(bytes.size()) - 10);
        EXPECT_EQ(stream.Size(), 70000);
    }
    TFileStream stream(PathOf("a.bin"), FileMode::OpenRead);
    std::vector<std::uint8_t> out(bytes.size());
    stream.ReadBuffer(out.data(), std::int64_t(out.size()));
    EXPECT_EQ(out, bytes);
}

TEST_F(FileStreamTest, TwoPieceWritesLandInOrderAndAFullDeviceRaises) {
    const std::vector<std::uint8_t> bytes = Counting(70000);
    {
        TFileStream stream(PathOf("a.bin"), FileMode::Create);
        stream.WriteBuffers(bytes.data(), 54, bytes.data() + 54, 40000);
        stream.WriteBuffers(bytes.data() + 40054, 0, bytes.data() + 40054, 29000);
        stream.WriteBuffers(bytes.data() + 69054, 946, nullptr, 0);
        EXPECT_EQ(stream.Position(), 70000);
    }
    TFileStream stream(PathOf("a.bin"), FileMode::OpenRead);
    std::vector<std::uint8_t> out(bytes.size());
    stream.ReadBuffer(out.data(), std::int64_t(out.size()));
    EXPECT_EQ(out, bytes);
    if (fs::exists("/dev/full")) {
        TFileStream full("/dev/full", FileMode::Create);
        EXPECT_THROW(full.WriteBuffers(bytes.data(), 10, bytes.data(), 10), EWriteError);
    }
}

TEST_F(FileStreamTest, WriteOnlyStreamCannotBeRead) {
    TFileStream stream(PathOf("a.bin"), FileMode::Create);
    stream.WriteBuffer("abc", 3);
    stream.SetPosition(0);
    char out[3];
    EXPECT_THROW(stream.ReadBuffer(out, 3), EReadError);
}

}  // namespace
}  // namespace plexon
