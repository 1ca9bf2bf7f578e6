#include "numeric/Errors.h"
#include "numeric/FileStream.h"
#include "numeric/MemoryStream.h"
#include "numeric/SafeFileStream.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

using namespace orvanta;
using namespace std::string_literals;
namespace fs = std::filesystem;

namespace {

// Larger than any sensible stream buffer, and not a multiple of a page.
constexpr std::size_t BigSize = 200'003;

std::string Pattern(std::size_t size, unsigned seed) {
    std::string s(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        s[i] = static_cast<char>((i * 131 + i / 251 + seed) & 0xFF);
    }
    return s;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Every test gets a folder of its own, removed afterwards.
class FileStreams : public ::testing::Test {
protected:
    void SetUp() override {
        std::string name = (fs::temp_directory_path() / "orvan-stream-XXXXXX").string();
        ASSERT_NE(mkdtemp(name.data()), nullptr);
        Folder = name;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(Folder, ignored);
    }
    std::string PathOf(const std::string& name) const { return Folder + "/" + name; }
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(Folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string Folder;
};

} // namespace

TEST(MemoryStream, ReadsWritesAndSeeks) {
    TMemoryStream stream;
    stream.Write("abcdef", 6);
    stream.SetPosition(2);
    stream.Write("XY", 2);
    EXPECT_EQ(stream.Bytes(), "abXYef");
    EXPECT_EQ(stream.Position(), 4);
    EXPECT_EQ(stream.Remaining(), 2);
    stream.Write("123", 3); // runs past the end and grows the buffer
    EXPECT_EQ(stream.Bytes(), "abXY123");
    EXPECT_TRUE(stream.AtEnd());

    char buffer[16] = {};
    stream.SetPosition(5);
    EXPECT_EQ(stream.Read(buffer, sizeof buffer), 2u);
    EXPECT_EQ(std::string(buffer, 2), "23");
    EXPECT_EQ(stream.Read(buffer, sizeof buffer), 0u);
    stream.Clear();
    EXPECT_EQ(stream.Size(), 0);
    EXPECT_EQ(stream.Position(), 0);

    stream.WriteInt32(0x01020304);
    stream.WriteInt32(-2);
    stream.WriteDouble(1.5);
    stream.WriteByte(0xFE);
    EXPECT_EQ(stream.Bytes(), "\x04\x03\x02\x01\xFE\xFF\xFF\xFF\0\0\0\0\0\0\xF8\x3F\xFE"s);
    stream.SetPosition(0);
    EXPECT_EQ(stream.ReadInt32(), 0x01020304);
    EXPECT_EQ(stream.ReadInt32(), -2);
    EXPECT_EQ(stream.ReadDouble(), 1.5);
    EXPECT_EQ(stream.ReadByte(), 0xFE);
    EXPECT_THROW(stream.ReadByte(), EReadError);
}

TEST(MemoryStream, ShortReadsRaiseTheReadError) {
    TMemoryStream three("abc"s);
    EXPECT_THROW(three.ReadInt32(), EReadError);
    TMemoryStream seven("1234567"s);
    EXPECT_THROW(seven.ReadDouble(), EReadError);
    TMemoryStream four("\0bcd"s);
    char buffer[4];
    EXPECT_NO_THROW(four.ReadBuffer(buffer, 4));
    EXPECT_THROW(four.ReadBuffer(buffer, 1), EReadError);
}

TEST_F(FileStreams, FileStreamReadsAFileLargerThanItsBuffer) {
    const std::string bytes = Pattern(BigSize, 1);
    WriteFile(PathOf("big.bin"), bytes);

    TFileStream stream(PathOf("big.bin"));
    EXPECT_EQ(stream.Size(), static_cast<std::int64_t>(BigSize));
    EXPECT_EQ(stream.Path(), PathOf("big.bin"));

    // Chunks of awkward sizes, some larger than the buffer.
    const std::size_t chunks[] = {1, 7, 4095, 65535, 65536, 65537, 100000};
    std::string read;
    std::vector<char> buffer(100000);
    for (std::size_t i = 0; read.size() < BigSize; ++i) {
        const std::size_t want = chunks[i % std::size(chunks)];
        const std::size_t got = stream.Read(buffer.data(), want);
        ASSERT_EQ(got, std::min(want, BigSize - read.size()));
        read.append(buffer.data(), got);
        ASSERT_EQ(stream.Position(), static_cast<std::int64_t>(read.size()));
    }
    EXPECT_TRUE(read == bytes);
    EXPECT_TRUE(stream.AtEnd());
    EXPECT_EQ(stream.Read(buffer.data(), 10), 0u);

    // Byte by byte, as the token reader does.
    stream.SetPosition(0);
    std::string byBytes;
    while (!stream.AtEnd()) {
        byBytes += static_cast<char>(stream.ReadByte());
    }
    EXPECT_TRUE(byBytes == bytes);

    // Jumps in and out of the buffered block.
    struct Case {
        std::int64_t position;
        std::size_t count;
    };
    const Case cases[] = {{65534, 8},  {0, 3}, {BigSize - 5, 5}, {65536, 1},       {65535, 70000},
                          {131070, 4}, {3, 2}, {100, 150000},    {BigSize - 1, 1}, {131072 - 1, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        stream.SetPosition(c.position);
        EXPECT_EQ(stream.Position(), c.position);
        std::string got(c.count, '\0');
        stream.ReadBuffer(got.data(), c.count);
        EXPECT_TRUE(got == bytes.substr(static_cast<std::size_t>(c.position), c.count));
        EXPECT_EQ(stream.Position(), c.position + static_cast<std::int64_t>(c.count));
    }

    stream.SetPosition(BigSize - 2);
    EXPECT_THROW(stream.ReadBuffer(buffer.data(), 4), EReadError);
}

TEST_F(FileStreams, FileStreamFailures) {
    const std::string missing = PathOf("missing.mpl");
    try {
        TFileStream stream(missing);
        ADD_FAILURE() << "a missing file was opened";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Path, missing);
    }

    WriteFile(PathOf("empty.bin"), "");
    TFileStream empty(PathOf("empty.bin"));
    EXPECT_EQ(empty.Size(), 0);
    EXPECT_TRUE(empty.AtEnd());
    char c;
    EXPECT_EQ(empty.Read(&c, 1), 0u);
    EXPECT_THROW(empty.ReadByte(), EReadError);
    EXPECT_THROW(empty.Write("x", 1), EWriteError);
    EXPECT_EQ(ReadFile(PathOf("empty.bin")), "");
}

TEST_F(FileStreams, SafeStreamCommitCreatesTheFile) {
    const std::string bytes = Pattern(BigSize, 3);
    const std::string target = PathOf("plan.mpl");
    {
        TSafeFileStream stream(target);
        EXPECT_EQ(stream.Path(), target);
        stream.Write(bytes.data(), 10);
        stream.Write(bytes.data() + 10, bytes.size() - 10);
        EXPECT_EQ(stream.Position(), static_cast<std::int64_t>(BigSize));
        EXPECT_EQ(stream.Size(), static_cast<std::int64_t>(BigSize));
        stream.Commit();
    }
    EXPECT_TRUE(ReadFile(target) == bytes);
    EXPECT_EQ(Entries(), std::vector<std::string>{"plan.mpl"});

    // A saved file is an ordinary file of the user's: the umask decides its mode.
    const mode_t mask = umask(0);
    umask(mask);
    struct stat info {};
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
}

TEST_F(FileStreams, SafeStreamCommitReplacesTheTargetOnlyThen) {
    const std::string target = PathOf("plan.mpl");
    const std::string old = Pattern(70000, 4);
    const std::string replacement = Pattern(BigSize, 5);
    WriteFile(target, old);
    {
        TSafeFileStream stream(target);
        stream.Write(replacement.data(), replacement.size());
        EXPECT_TRUE(ReadFile(target) == old);
        stream.Commit();
    }
    EXPECT_TRUE(ReadFile(target) == replacement);
    EXPECT_EQ(Entries(), std::vector<std::string>{"plan.mpl"});

    // A shorter file replaces a longer one completely.
    {
        TSafeFileStream stream(target);
        stream.Write("short", 5);
        stream.Commit();
    }
    EXPECT_EQ(ReadFile(target), "short");
}

TEST_F(FileStreams, SafeStreamWithoutCommitLeavesEverythingAsItWas) {
    const std::string old = Pattern(70001, 6);
    const std::string big = Pattern(BigSize, 7);
    WriteFile(PathOf("plan.mpl"), old);

    { // destroyed after writing more than a buffer's worth
        TSafeFileStream stream(PathOf("plan.mpl"));
        stream.Write(big.data(), big.size());
    }
    EXPECT_TRUE(ReadFile(PathOf("plan.mpl")) == old);
    EXPECT_EQ(Entries(), std::vector<std::string>{"plan.mpl"});

    // An error in the middle of saving: the stream goes away with the exception.
    try {
        TSafeFileStream stream(PathOf("plan.mpl"));
        stream.Write(big.data(), 1000);
        throw std::runtime_error("write failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_TRUE(ReadFile(PathOf("plan.mpl")) == old);
    EXPECT_EQ(Entries(), std::vector<std::string>{"plan.mpl"});

    { // no target before: nothing after
        TSafeFileStream stream(PathOf("new.mpl"));
        stream.Write(big.data(), big.size());
    }
    EXPECT_EQ(Entries(), std::vector<std::string>{"plan.mpl"});
}

TEST_F(FileStreams, SafeStreamPatchesBytesWrittenEarlier) {
    // Writers that store a count before they know it come back to patch it.
    std::string expected = Pattern(BigSize, 8);
    const std::string target = PathOf("patched.bin");
    {
        TSafeFileStream stream(target);
        stream.Write(expected.data(), expected.size());
        stream.SetPosition(10);
        EXPECT_EQ(stream.Position(), 10);
        EXPECT_EQ(stream.Size(), static_cast<std::int64_t>(BigSize));
        stream.WriteInt32(0x44434241);
        stream.SetPosition(150000);
        stream.Write("xyz", 3);
        stream.SetPosition(stream.Size());
        stream.Write("END", 3);
        EXPECT_EQ(stream.Size(), static_cast<std::int64_t>(BigSize + 3));
        stream.Commit();
    }
    expected.replace(10, 4, "ABCD");
    expected.replace(150000, 3, "xyz");
    expected += "END";
    EXPECT_TRUE(ReadFile(target) == expected);
}

TEST_F(FileStreams, SafeStreamFailures) {
    const std::string target = PathOf("no such folder/plan.mpl");
    try {
        TSafeFileStream stream(target);
        ADD_FAILURE() << "a file was created in a missing folder";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Path, target);
    }
    EXPECT_TRUE(Entries().empty());

    // A folder standing where the file should go is refused at once, not at
    // the final rename, and stays as it is.
    const std::string folder = PathOf("plan.mpl");
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    EXPECT_THROW(TSafeFileStream{folder}, EFCreateError);
    EXPECT_EQ(Entries(), std::vector<std::string>{"plan.mpl"});

    TSafeFileStream stream(PathOf("out.bin"));
    char c;
    EXPECT_THROW(stream.Read(&c, 1), EReadError);
}
