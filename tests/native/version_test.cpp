// Version resources: the block parser on the resource compiler's output, on blocks the builder makes
// and on damaged ones, and the five texts the program takes from a block, a file and the cache.
#include <gtest/gtest.h>

#include "common/state.h"
#include "common/text.h"
#include "programinfo/version_block.h"
#include "programinfo/version_texts.h"
#include "tests/support/fake_platform.h"

namespace sx::programinfo {
namespace {

using namespace std::string_view_literals;

// The resource the MinGW resource compiler makes from
//   FILEVERSION 1,2,3,4  PRODUCTVERSION 5,6,0,0
//   BLOCK "040704B0": CompanyName "Probe GmbH", ProductName "Probe"
//   BLOCK "040904B0": CompanyName "Probe Company Ltd.", FileDescription "Probe helper",
//                     ProductName "Probe Tools", ProductVersion "5.6", LegalCopyright "\251 Probe"
//   Translation 0x407, 1200, 0x409, 1200
constexpr std::string_view kWindresBlock =
    "\x80\x02\x34\x00\x00\x00\x56\x00\x53\x00\x5f\x00\x56\x00\x45\x00\x52\x00\x53\x00\x49\x00\x4f\x00\x4e\x00\x5f\x00\x49\x00\x4e\x00"
    "\x46\x00\x4f\x00\x00\x00\x00\x00\xbd\x04\xef\xfe\x00\x00\x01\x00\x02\x00\x01\x00\x04\x00\x03\x00\x06\x00\x05\x00\x00\x00\x00\x00"
    "\x00\x00\x00\x00\x00\x00\x00\x00\x04\x00\x04\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\xdc\x01\x00\x00"
    "\x01\x00\x53\x00\x74\x00\x72\x00\x69\x00\x6e\x00\x67\x00\x46\x00\x69\x00\x6c\x00\x65\x00\x49\x00\x6e\x00\x66\x00\x6f\x00\x00\x00"
    "\x7c\x00\x00\x00\x01\x00\x30\x00\x34\x00\x30\x00\x37\x00\x30\x00\x34\x00\x42\x00\x30\x00\x00\x00\x36\x00\x0b\x00\x01\x00\x43\x00"
    "\x6f\x00\x6d\x00\x70\x00\x61\x00\x6e\x00\x79\x00\x4e\x00\x61\x00\x6d\x00\x65\x00\x00\x00\x00\x00\x50\x00\x72\x00\x6f\x00\x62\x00"
    "\x65\x00\x20\x00\x47\x00\x6d\x00\x62\x00\x48\x00\x00\x00\x00\x00\x2c\x00\x06\x00\x01\x00\x50\x00\x72\x00\x6f\x00\x64\x00\x75\x00"
    "\x63\x00\x74\x00\x4e\x00\x61\x00\x6d\x00\x65\x00\x00\x00\x00\x00\x50\x00\x72\x00\x6f\x00\x62\x00\x65\x00\x00\x00\x3c\x01\x00\x00"
    "\x01\x00\x30\x00\x34\x00\x30\x00\x39\x00\x30\x00\x34\x00\x42\x00\x30\x00\x00\x00\x46\x00\x13\x00\x01\x00\x43\x00\x6f\x00\x6d\x00"
    "\x70\x00\x61\x00\x6e\x00\x79\x00\x4e\x00\x61\x00\x6d\x00\x65\x00\x00\x00\x00\x00\x50\x00\x72\x00\x6f\x00\x62\x00\x65\x00\x20\x00"
    "\x43\x00\x6f\x00\x6d\x00\x70\x00\x61\x00\x6e\x00\x79\x00\x20\x00\x4c\x00\x74\x00\x64\x00\x2e\x00\x00\x00\x00\x00\x42\x00\x0d\x00"
    "\x01\x00\x46\x00\x69\x00\x6c\x00\x65\x00\x44\x00\x65\x00\x73\x00\x63\x00\x72\x00\x69\x00\x70\x00\x74\x00\x69\x00\x6f\x00\x6e\x00"
    "\x00\x00\x00\x00\x50\x00\x72\x00\x6f\x00\x62\x00\x65\x00\x20\x00\x68\x00\x65\x00\x6c\x00\x70\x00\x65\x00\x72\x00\x00\x00\x00\x00"
    "\x38\x00\x0c\x00\x01\x00\x50\x00\x72\x00\x6f\x00\x64\x00\x75\x00\x63\x00\x74\x00\x4e\x00\x61\x00\x6d\x00\x65\x00\x00\x00\x00\x00"
    "\x50\x00\x72\x00\x6f\x00\x62\x00\x65\x00\x20\x00\x54\x00\x6f\x00\x6f\x00\x6c\x00\x73\x00\x00\x00\x2c\x00\x04\x00\x01\x00\x50\x00"
    "\x72\x00\x6f\x00\x64\x00\x75\x00\x63\x00\x74\x00\x56\x00\x65\x00\x72\x00\x73\x00\x69\x00\x6f\x00\x6e\x00\x00\x00\x35\x00\x2e\x00"
    "\x36\x00\x00\x00\x34\x00\x08\x00\x01\x00\x4c\x00\x65\x00\x67\x00\x61\x00\x6c\x00\x43\x00\x6f\x00\x70\x00\x79\x00\x72\x00\x69\x00"
    "\x67\x00\x68\x00\x74\x00\x00\x00\xa9\x00\x20\x00\x50\x00\x72\x00\x6f\x00\x62\x00\x65\x00\x00\x00\x48\x00\x00\x00\x01\x00\x56\x00"
    "\x61\x00\x72\x00\x46\x00\x69\x00\x6c\x00\x65\x00\x49\x00\x6e\x00\x66\x00\x6f\x00\x00\x00\x00\x00\x28\x00\x08\x00\x00\x00\x54\x00"
    "\x72\x00\x61\x00\x6e\x00\x73\x00\x6c\x00\x61\x00\x74\x00\x69\x00\x6f\x00\x6e\x00\x00\x00\x00\x00\x07\x04\xb0\x04\x09\x04\xb0\x04"sv;

constexpr Translation kUsAnsi{0x0409, 0x04E4};
constexpr Translation kUsUnicode{0x0409, 0x04B0};
constexpr Translation kGermanUnicode{0x0407, 0x04B0};

using Strings = std::vector<std::pair<std::string, std::u16string>>;

// A block with one table per translation, each holding `strings` (the first one `first` when given).
std::string block(const std::vector<Translation>& translations, const Strings& strings, const Strings& first = {}) {
    std::vector<VersionStringTable> tables;
    for (const Translation& t : translations) {
        tables.push_back({upper(translation_key(t)), tables.empty() && !first.empty() ? first : strings});
    }
    return make_version_block(translations, tables);
}

std::string acme_block() {
    return block({kUsAnsi}, {{"CompanyName", u"Acme Corp."}, {"FileDescription", u"Acme tray helper"},
                             {"ProductName", u"Acme Tools"}, {"ProductVersion", u"5.6"}, {"LegalCopyright", u"(c) Acme"}});
}

std::string latin1(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) out += c < 0x100 ? static_cast<char>(c) : '?';
    return out;
}

// The five texts as "product|version|company|description|copyright", and whether a product name was found.
std::string texts_of(std::string_view bytes, bool* found = nullptr) {
    VersionTexts t;
    const bool any = version_texts_from_block(bytes, latin1, t);
    if (found) *found = any;
    return t.ProductName + "|" + t.ProductVersion + "|" + t.CompanyName + "|" + t.FileDescription + "|" + t.LegalCopyright;
}

std::string keys(std::string_view bytes) {
    std::string out;
    for (const Translation& t : VersionBlock(bytes).translations()) out += translation_key(t) + " ";
    return out;
}

// Offset of the node whose key is `key` (its wLength field), found by the key's UTF-16 bytes.
size_t node_offset(const std::string& bytes, std::string_view key) {
    std::string wide;
    for (char c : key) wide += std::string{c, '\0'};
    return bytes.find(wide + std::string(2, '\0')) - 6;
}

void set_word(std::string& bytes, size_t offset, uint16_t value) {
    bytes[offset] = static_cast<char>(value & 0xFF);
    bytes[offset + 1] = static_cast<char>(value >> 8);
}

TEST(VersionBlock, BuiltAndResourceCompilerBlocksReadBackAndMatch) {
    const std::string bytes = acme_block();
    EXPECT_EQ(bytes.size() % 4, 0u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]) | static_cast<unsigned char>(bytes[1]) << 8, bytes.size());
    const VersionBlock parsed(bytes);
    ASSERT_TRUE(parsed.valid());
    EXPECT_EQ(keys(bytes), "040904e4 ");
    // Keys are compared ignoring case, so the lower-case query finds the upper-case table.
    EXPECT_EQ(parsed.string_value("040904e4", "companyname"), u"Acme Corp.");
    EXPECT_FALSE(parsed.string_value("040904b0", "CompanyName").has_value());
    EXPECT_FALSE(parsed.string_value("040904E4", "Comments").has_value());
    EXPECT_FALSE(parsed.string_value("040904E4", "CompanyNam").has_value());
    EXPECT_EQ(texts_of(bytes), "Acme Tools|5.6|Acme Corp.|Acme tray helper|(c) Acme");
    EXPECT_EQ(keys(make_version_block({kGermanUnicode, kUsUnicode, kUsAnsi}, {})), "040704b0 040904b0 040904e4 ");
    // No node may grow beyond 64K.
    EXPECT_TRUE(block({kUsAnsi}, {{"ProductName", std::u16string(40000, u'x')}}).empty());
    // The resource compiler's block reads, and the builder lays out the same.
    EXPECT_EQ(keys(kWindresBlock), "040704b0 040904b0 ");
    EXPECT_EQ(texts_of(kWindresBlock), "Probe Tools|5.6|Probe Company Ltd.|Probe helper|\xA9 Probe");
    std::string built = make_version_block(
        {kGermanUnicode, kUsUnicode},
        {{"040704B0", {{"CompanyName", u"Probe GmbH"}, {"ProductName", u"Probe"}}},
         {"040904B0", {{"CompanyName", u"Probe Company Ltd."}, {"FileDescription", u"Probe helper"},
                       {"ProductName", u"Probe Tools"}, {"ProductVersion", u"5.6"}, {"LegalCopyright", u"\u00A9 Probe"}}}});
    ASSERT_EQ(built.size(), kWindresBlock.size());
    // Only the version numbers of the fixed part (after its signature and structure version) differ.
    std::string real(kWindresBlock);
    for (size_t i = 48; i < 92; ++i) built[i] = real[i] = 0;
    EXPECT_EQ(built, real);
}

TEST(VersionBlock, OversizedForeignOrCutBlocksCountAsNoneAndLyingLengthsFindNothingBeyondThem) {
    std::string bytes = acme_block();
    bytes.resize(kVersionBlockMax, '\0');  // room after the resource is allowed
    EXPECT_TRUE(VersionBlock(bytes).valid());
    std::string other = acme_block();
    other[6] = 'W';  // root key no longer "VS_VERSION_INFO"
    for (const std::string& none : {bytes + '\0', other, std::string()}) {
        EXPECT_FALSE(VersionBlock(none).valid());
        EXPECT_EQ(keys(none), "");
        EXPECT_FALSE(VersionBlock(none).string_value("040904e4", "ProductName").has_value());
    }
    const std::string good = acme_block();
    for (size_t n = 0; n < good.size(); ++n) {
        EXPECT_FALSE(VersionBlock(good.substr(0, n)).valid()) << n;
        EXPECT_EQ(texts_of(good.substr(0, n)), "||||") << n;
    }
    // Lying lengths find nothing beyond them.
    const size_t table_at = node_offset(good, "040904E4"), name_at = node_offset(good, "ProductName");
    const size_t var_at = node_offset(good, "Translation");
    auto product_name = [](const std::string& b) { return VersionBlock(b).string_value("040904e4", "ProductName"); };
    // A child claiming more than its parent holds (the sibling before it is intact), a text value longer than
    // its node, a length below the header size, a key without its terminating zero inside the node.
    const std::pair<size_t, uint16_t> lies[] = {{table_at, 0xFFF0}, {name_at + 2, 200}, {name_at, 4}, {name_at, 6 + 4}};
    for (const auto& [offset, value] : lies) {
        std::string lied = good;
        set_word(lied, offset, value);
        EXPECT_FALSE(product_name(lied).has_value()) << offset;
        EXPECT_EQ(keys(lied), "040904e4 ");
    }
    // A translation table claiming more bytes than it has; the root claiming more than the bytes given.
    bytes = good;
    set_word(bytes, var_at + 2, 64);
    EXPECT_EQ(keys(bytes), "");
    bytes = good;
    set_word(bytes, 0, static_cast<uint16_t>(good.size() + 4));
    EXPECT_FALSE(VersionBlock(bytes).valid());
    // A text ends at its zero or at its declared length: "Acme Tools" and its zero are 11 units.
    bytes = good;
    set_word(bytes, name_at + 2, 4);
    EXPECT_EQ(product_name(bytes), u"Acme");
    set_word(bytes, name_at + 2, 0);
    EXPECT_EQ(product_name(bytes), u"");
}

TEST(VersionTexts, FromBlocks) {
    const std::u16string t127(127, u'a'), t128(128, u'b');
    const std::pair<std::string, std::string> cases[] = {
        // A later translation overwrites only the names it has: it lacks a copyright here, and its empty
        // description replaces the earlier one.
        {block({kGermanUnicode, kUsUnicode}, {{"ProductName", u"Tools"}, {"CompanyName", u"Acme Inc."}, {"FileDescription", u""}},
               {{"ProductName", u"Werkzeug"}, {"CompanyName", u"Acme GmbH"}, {"LegalCopyright", u"(c) DE"},
                {"FileDescription", u"Helfer"}}),
         "Tools||Acme Inc.||(c) DE"},
        // A translation without a ProductName, or without a table, changes nothing.
        {block({kUsAnsi, kGermanUnicode}, {{"CompanyName", u"Acme GmbH"}, {"ProductVersion", u"9"}},
               {{"ProductName", u"Tools"}, {"CompanyName", u"Acme Inc."}}),
         "Tools||Acme Inc.||"},
        {make_version_block({kUsAnsi, kUsUnicode}, {{"040904E4", {{"ProductName", u"Tools"}}}}), "Tools||||"},
        // Without translations there are no texts.
        {make_version_block({}, {{"040904E4", {{"ProductName", u"Tools"}}}}), "||||"},
        {make_version_block({kUsAnsi}, {{"040904E4", {{"ProductName", u"Tools"}}}}, false), "||||"},
        // Texts over 127 characters count as empty; an over-long ProductName does not end the translation,
        // and it overwrites an earlier one.
        {block({kUsAnsi}, {{"ProductName", t127}, {"CompanyName", t128}}), std::string(127, 'a') + "||||"},
        {block({kUsAnsi}, {{"ProductName", t128}, {"CompanyName", u"Acme"}}), "||Acme||"},
        {block({kUsAnsi, kUsUnicode}, {{"ProductName", t128}}, {{"ProductName", u"First"}}), "||||"},
        // An operating system product takes the description.
        {block({kUsUnicode}, {{"ProductName", u"Microsoft\u00AE Windows\u00AE Operating System"},
                              {"FileDescription", u"Windows Explorer"}}),
         "Windows Explorer|||Windows Explorer|"},
        {block({kUsUnicode}, {{"ProductName", u"Acme operating system"}}), "||||"},
    };
    for (const auto& [bytes, texts] : cases) {
        bool found = texts.front() == '|';
        EXPECT_EQ(texts_of(bytes, &found), texts);
        EXPECT_EQ(found, texts.front() != '|') << "whether a product name was found: " << texts;
    }
}

class VersionOnPlatform : public ::testing::Test {
protected:
    fake::FakePlatform fake;
    AppState app{fake.os};
};

TEST_F(VersionOnPlatform, FilesGiveTheirTextsInTheAnsiCodePageAndTheCacheReadsEachOnce) {
    fake.files.add_file("C:\\Tools\\acme.exe").version =
        block({kUsAnsi}, {{"ProductName", u"Acme\u2122"}, {"LegalCopyright", u"\u00A9 Acme"}});
    VersionTexts out;
    EXPECT_TRUE(ReadVersionTexts(fake.os, "C:\\Tools\\acme.exe", out));
    EXPECT_EQ(out.ProductName + "|" + out.LegalCopyright, "Acme\x99|\xA9 Acme");
    // Files without resources, missing files and oversized blocks give empty texts.
    fake.files.add_file("C:\\Tools\\plain.exe");
    fake.files.add_file("C:\\Tools\\big.exe").version = std::string(kVersionBlockMax + 1, '\0');
    for (const char* file : {"C:\\Tools\\plain.exe", "C:\\Tools\\missing.exe", "C:\\Tools\\big.exe"}) {
        out.CompanyName = "stale";
        EXPECT_FALSE(ReadVersionTexts(fake.os, file, out));
        EXPECT_EQ(out, VersionTexts{}) << file;
    }
    // The cache reads each file once.
    fake.files.add_file("C:\\Tools\\acme.exe").version = acme_block();
    fake.files.add_file("C:\\Tools\\other.exe");
    int reads = 0;
    fake.files.faults.fail_when([&reads](std::string_view op, std::string_view) {
        reads += op == "files.version_block";
        return false;
    });
    for (int row = 0; row < 4096; ++row) {
        const char* files[] = {"C:\\Tools\\acme.exe", "c:\\tools\\ACME.EXE", "C:\\Tools\\other.exe"};
        const char* file = files[row % 3];
        EXPECT_EQ(cached_version_texts(app, file).ProductName.empty(), row % 3 == 2);
    }
    EXPECT_EQ(cached_version_texts(app, "C:\\TOOLS\\ACME.EXE").CompanyName, "Acme Corp.");
    EXPECT_EQ(reads, 2);
    EXPECT_EQ(app.versions.size(), 2u);
    app.versions.clear();
    EXPECT_EQ(cached_version_texts(app, "C:\\Tools\\acme.exe").ProductName, "Acme Tools");
    EXPECT_EQ(reads, 3);
}

}  // namespace
}  // namespace sx::programinfo
