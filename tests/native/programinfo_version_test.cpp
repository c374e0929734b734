#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "common/state.h"
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

VersionStringTable table(std::string key, std::vector<std::pair<std::string, std::u16string>> strings) {
    return {std::move(key), std::move(strings)};
}

std::string acme_block() {
    return make_version_block({kUsAnsi}, {table("040904E4", {{"CompanyName", u"Acme Corp."},
                                                              {"FileDescription", u"Acme tray helper"},
                                                              {"ProductName", u"Acme Tools"},
                                                              {"ProductVersion", u"5.6"},
                                                              {"LegalCopyright", u"(c) Acme"}})});
}

std::string latin1(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) out += c < 0x100 ? static_cast<char>(c) : '?';
    return out;
}

VersionTexts texts_of(std::string_view block) {
    VersionTexts out;
    version_texts_from_block(block, latin1, out);
    return out;
}

// Offset of the node whose key is `key` (its wLength field), found by the key's UTF-16 bytes.
size_t node_offset(const std::string& block, std::string_view key) {
    std::string wide;
    for (char c : key) {
        wide += c;
        wide += '\0';
    }
    wide += std::string(2, '\0');
    const size_t at = block.find(wide);
    return at == std::string::npos ? std::string::npos : at - 6;
}

void set_word(std::string& block, size_t offset, uint16_t value) {
    block[offset] = static_cast<char>(value & 0xFF);
    block[offset + 1] = static_cast<char>(value >> 8);
}

uint16_t word(const std::string& block, size_t offset) {
    return static_cast<uint16_t>(static_cast<unsigned char>(block[offset]) |
                                 static_cast<unsigned char>(block[offset + 1]) << 8);
}

TEST(VersionBlock, BuiltBlockReadsBack) {
    const std::string bytes = acme_block();
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.size() % 4, 0u);
    EXPECT_EQ(word(bytes, 0), bytes.size());
    const VersionBlock block(bytes);
    ASSERT_TRUE(block.valid());
    const std::vector<Translation> translations = block.translations();
    ASSERT_EQ(translations.size(), 1u);
    EXPECT_EQ(translations[0].language, 0x0409);
    EXPECT_EQ(translations[0].code_page, 0x04E4);
    EXPECT_EQ(translation_key(translations[0]), "040904e4");
    EXPECT_EQ(block.string_value("040904E4", "CompanyName"), u"Acme Corp.");
    // Keys are compared ignoring case, so the lower-case query finds the upper-case table.
    EXPECT_EQ(block.string_value("040904e4", "companyname"), u"Acme Corp.");
    EXPECT_FALSE(block.string_value("040904b0", "CompanyName").has_value());
    EXPECT_FALSE(block.string_value("040904E4", "Comments").has_value());
    EXPECT_FALSE(block.string_value("040904E4", "CompanyNam").has_value());
}

TEST(VersionBlock, ReadsAResourceCompilerBlock) {
    const VersionBlock block(kWindresBlock);
    ASSERT_TRUE(block.valid());
    const std::vector<Translation> t = block.translations();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(translation_key(t[0]), "040704b0");
    EXPECT_EQ(translation_key(t[1]), "040904b0");
    const VersionTexts out = texts_of(kWindresBlock);
    EXPECT_EQ(out.ProductName, "Probe Tools");
    EXPECT_EQ(out.ProductVersion, "5.6");
    EXPECT_EQ(out.CompanyName, "Probe Company Ltd.");
    EXPECT_EQ(out.FileDescription, "Probe helper");
    EXPECT_EQ(out.LegalCopyright, "\xA9 Probe");
}

TEST(VersionBlock, BuilderLaysOutNodesAsTheResourceCompilerDoes) {
    std::string built = make_version_block(
        {kGermanUnicode, kUsUnicode},
        {table("040704B0", {{"CompanyName", u"Probe GmbH"}, {"ProductName", u"Probe"}}),
         table("040904B0", {{"CompanyName", u"Probe Company Ltd."},
                            {"FileDescription", u"Probe helper"},
                            {"ProductName", u"Probe Tools"},
                            {"ProductVersion", u"5.6"},
                            {"LegalCopyright", u"\u00A9 Probe"}})});
    ASSERT_EQ(built.size(), kWindresBlock.size());
    // Only the version numbers of the fixed part (after its signature and structure version) differ.
    constexpr size_t kNumbersBegin = 48, kNumbersEnd = 92;
    std::string real(kWindresBlock);
    for (size_t i = kNumbersBegin; i < kNumbersEnd; ++i) built[i] = real[i] = 0;
    EXPECT_EQ(built, real);
}

TEST(VersionBlock, TranslationsKeepTableOrder) {
    const VersionBlock block(make_version_block({kGermanUnicode, kUsUnicode, kUsAnsi}, {}));
    const std::vector<Translation> t = block.translations();
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(translation_key(t[0]), "040704b0");
    EXPECT_EQ(translation_key(t[1]), "040904b0");
    EXPECT_EQ(translation_key(t[2]), "040904e4");
}

TEST(VersionBlock, OversizedOrForeignBlocksCountAsNone) {
    std::string bytes = acme_block();
    bytes.resize(kVersionBlockMax, '\0');  // room after the resource is allowed
    EXPECT_TRUE(VersionBlock(bytes).valid());
    bytes.push_back('\0');
    EXPECT_FALSE(VersionBlock(bytes).valid());
    EXPECT_FALSE(VersionBlock(bytes).string_value("040904e4", "ProductName").has_value());
    EXPECT_TRUE(VersionBlock(bytes).translations().empty());

    EXPECT_FALSE(VersionBlock("").valid());
    std::string other = acme_block();
    other[6] = 'W';  // root key no longer "VS_VERSION_INFO"
    EXPECT_FALSE(VersionBlock(other).valid());
}

TEST(VersionBlock, EveryTruncationFindsNothing) {
    const std::string bytes = acme_block();
    for (size_t n = 0; n < bytes.size(); ++n) {
        const std::string cut = bytes.substr(0, n);
        const VersionBlock block(cut);
        EXPECT_FALSE(block.valid()) << n;
        EXPECT_FALSE(block.string_value("040904e4", "ProductName").has_value()) << n;
        EXPECT_TRUE(block.translations().empty()) << n;
    }
}

TEST(VersionBlock, LyingLengthsFindNothingBeyondThem) {
    const std::string good = acme_block();

    // A child claiming more than its parent holds.
    std::string bytes = good;
    const size_t table_at = node_offset(bytes, "040904E4");
    ASSERT_NE(table_at, std::string::npos);
    set_word(bytes, table_at, 0xFFF0);
    EXPECT_FALSE(VersionBlock(bytes).string_value("040904e4", "ProductName").has_value());
    EXPECT_EQ(VersionBlock(bytes).translations().size(), 1u);  // the sibling before it is intact

    // A text value longer than its node.
    bytes = good;
    const size_t name_at = node_offset(bytes, "ProductName");
    ASSERT_NE(name_at, std::string::npos);
    set_word(bytes, name_at + 2, 200);
    EXPECT_FALSE(VersionBlock(bytes).string_value("040904e4", "ProductName").has_value());

    // A length below the header size.
    bytes = good;
    set_word(bytes, name_at, 4);
    EXPECT_FALSE(VersionBlock(bytes).string_value("040904e4", "ProductName").has_value());

    // A key without its terminating zero inside the node.
    bytes = good;
    set_word(bytes, name_at, 6 + 4);
    EXPECT_FALSE(VersionBlock(bytes).string_value("040904e4", "ProductName").has_value());

    // A translation table claiming more bytes than it has.
    bytes = good;
    const size_t var_at = node_offset(bytes, "Translation");
    ASSERT_NE(var_at, std::string::npos);
    set_word(bytes, var_at + 2, 64);
    EXPECT_TRUE(VersionBlock(bytes).translations().empty());

    // The root claiming more than the bytes given.
    bytes = good;
    set_word(bytes, 0, static_cast<uint16_t>(good.size() + 4));
    EXPECT_FALSE(VersionBlock(bytes).valid());
}

TEST(VersionBlock, TextEndsAtItsZeroOrAtItsDeclaredLength) {
    std::string bytes = acme_block();
    const size_t name_at = node_offset(bytes, "ProductName");
    // "Acme Tools" plus its zero is 11 units; declaring 4 keeps 4 characters.
    ASSERT_EQ(word(bytes, name_at + 2), 11);
    set_word(bytes, name_at + 2, 4);
    EXPECT_EQ(VersionBlock(bytes).string_value("040904e4", "ProductName"), u"Acme");
    set_word(bytes, name_at + 2, 0);
    EXPECT_EQ(VersionBlock(bytes).string_value("040904e4", "ProductName"), u"");
}

TEST(VersionBlock, EverySingleByteDamageStaysInBounds) {
    // Sanitizers catch any read outside the block; the results only have to be consistent.
    const std::string good = acme_block();
    for (size_t i = 0; i < good.size(); ++i) {
        for (unsigned char value : {0x00, 0x01, 0x7F, 0xFF}) {
            std::string bytes = good;
            bytes[i] = static_cast<char>(value);
            VersionTexts out;
            const bool found = version_texts_from_block(bytes, latin1, out);
            EXPECT_EQ(found, !out.ProductName.empty());
            for (size_t s = 0; s < VersionTexts::kCount; ++s) EXPECT_LE(out.slot(s).size(), kVersionTextMax);
        }
    }
}

TEST(VersionBlock, BuilderRefusesNodesBeyond64K) {
    EXPECT_TRUE(make_version_block({kUsAnsi}, {table("040904E4", {{"ProductName", std::u16string(40000, u'x')}})})
                    .empty());
}

TEST(VersionTexts, OneTranslationGivesTheFiveTexts) {
    VersionTexts out;
    EXPECT_TRUE(version_texts_from_block(acme_block(), latin1, out));
    EXPECT_EQ(out.ProductName, "Acme Tools");
    EXPECT_EQ(out.ProductVersion, "5.6");
    EXPECT_EQ(out.CompanyName, "Acme Corp.");
    EXPECT_EQ(out.FileDescription, "Acme tray helper");
    EXPECT_EQ(out.LegalCopyright, "(c) Acme");
    EXPECT_EQ(&out.slot(0), &out.ProductName);
    EXPECT_EQ(&out.slot(4), &out.LegalCopyright);
}

TEST(VersionTexts, LaterTranslationsOverwriteOnlyTheNamesTheyHave) {
    const std::string bytes = make_version_block(
        {kGermanUnicode, kUsUnicode},
        {table("040704B0", {{"ProductName", u"Werkzeug"},
                            {"CompanyName", u"Acme GmbH"},
                            {"LegalCopyright", u"(c) DE"},
                            {"FileDescription", u"Helfer"}}),
         table("040904B0", {{"ProductName", u"Tools"}, {"CompanyName", u"Acme Inc."}, {"FileDescription", u""}})});
    const VersionTexts out = texts_of(bytes);
    EXPECT_EQ(out.ProductName, "Tools");
    EXPECT_EQ(out.CompanyName, "Acme Inc.");
    EXPECT_EQ(out.LegalCopyright, "(c) DE");  // the later translation lacks it
    EXPECT_EQ(out.FileDescription, "");       // present but empty replaces
    EXPECT_EQ(out.ProductVersion, "");
}

TEST(VersionTexts, ATranslationWithoutProductNameChangesNothing) {
    const std::string bytes = make_version_block(
        {kUsAnsi, kGermanUnicode},
        {table("040904E4", {{"ProductName", u"Tools"}, {"CompanyName", u"Acme Inc."}}),
         table("040704B0", {{"CompanyName", u"Acme GmbH"}, {"ProductVersion", u"9"}})});
    const VersionTexts out = texts_of(bytes);
    EXPECT_EQ(out.ProductName, "Tools");
    EXPECT_EQ(out.CompanyName, "Acme Inc.");
    EXPECT_EQ(out.ProductVersion, "");

    // A translation with no table at all is skipped the same way.
    const VersionTexts missing = texts_of(make_version_block(
        {kUsAnsi, kUsUnicode}, {table("040904E4", {{"ProductName", u"Tools"}})}));
    EXPECT_EQ(missing.ProductName, "Tools");
}

TEST(VersionTexts, NoTranslationsMeansNoTexts) {
    VersionTexts out;
    EXPECT_FALSE(version_texts_from_block(make_version_block({}, {table("040904E4", {{"ProductName", u"Tools"}})}),
                                          latin1, out));
    EXPECT_EQ(out, VersionTexts{});
    EXPECT_FALSE(version_texts_from_block(
        make_version_block({kUsAnsi}, {table("040904E4", {{"ProductName", u"Tools"}})}, false), latin1, out));
    EXPECT_EQ(out, VersionTexts{});
}

TEST(VersionTexts, TextsOver127CharactersCountAsEmpty) {
    const std::u16string t127(127, u'a');
    const std::u16string t128(128, u'b');
    VersionTexts out = texts_of(make_version_block(
        {kUsAnsi}, {table("040904E4", {{"ProductName", t127}, {"CompanyName", t128}})}));
    EXPECT_EQ(out.ProductName, std::string(127, 'a'));
    EXPECT_EQ(out.CompanyName, "");

    // An over-long ProductName is empty but does not end the translation.
    VersionTexts long_name;
    EXPECT_FALSE(version_texts_from_block(
        make_version_block({kUsAnsi}, {table("040904E4", {{"ProductName", t128}, {"CompanyName", u"Acme"}})}),
        latin1, long_name));
    EXPECT_EQ(long_name.CompanyName, "Acme");

    // ... and it overwrites what an earlier translation found.
    out = texts_of(make_version_block({kUsAnsi, kUsUnicode}, {table("040904E4", {{"ProductName", u"First"}}),
                                                             table("040904B0", {{"ProductName", t128}})}));
    EXPECT_EQ(out.ProductName, "");
}

TEST(VersionTexts, OperatingSystemProductTakesTheDescription) {
    const VersionTexts out = texts_of(make_version_block(
        {kUsUnicode}, {table("040904b0", {{"ProductName", u"Microsoft\u00AE Windows\u00AE Operating System"},
                                          {"FileDescription", u"Windows Explorer"}})}));
    EXPECT_EQ(out.ProductName, "Windows Explorer");
    VersionTexts empty_description;
    EXPECT_FALSE(version_texts_from_block(
        make_version_block({kUsUnicode}, {table("040904b0", {{"ProductName", u"Acme operating system"}})}),
        latin1, empty_description));
}

class VersionOnPlatform : public ::testing::Test {
protected:
    fake::FakePlatform fp;
    platform::Platform& os = fp.os;
};

TEST_F(VersionOnPlatform, ReadVersionTextsConvertsToTheAnsiCodePage) {
    fp.files.add_file("C:\\Tools\\acme.exe").version = make_version_block(
        {kUsAnsi}, {table("040904E4", {{"ProductName", u"Acme\u2122"}, {"LegalCopyright", u"\u00A9 Acme"}})});
    VersionTexts out;
    EXPECT_TRUE(ReadVersionTexts(os, "C:\\Tools\\acme.exe", out));
    EXPECT_EQ(out.ProductName, "Acme\x99");
    EXPECT_EQ(out.LegalCopyright, "\xA9 Acme");
}

TEST_F(VersionOnPlatform, FilesWithoutResourcesGiveEmptyTexts) {
    fp.files.add_file("C:\\Tools\\plain.exe");
    VersionTexts out;
    out.CompanyName = "stale";
    EXPECT_FALSE(ReadVersionTexts(os, "C:\\Tools\\plain.exe", out));
    EXPECT_EQ(out, VersionTexts{});
    EXPECT_FALSE(ReadVersionTexts(os, "C:\\Tools\\missing.exe", out));
    fp.files.add_file("C:\\Tools\\big.exe").version = std::string(kVersionBlockMax + 1, '\0');
    EXPECT_FALSE(ReadVersionTexts(os, "C:\\Tools\\big.exe", out));
}

TEST_F(VersionOnPlatform, CacheReadsEachFileOnce) {
    fp.files.add_file("C:\\Tools\\acme.exe").version = acme_block();
    fp.files.add_file("C:\\Tools\\other.exe");
    int reads = 0;
    fp.files.faults.fail_when([&reads](std::string_view op, std::string_view) {
        if (op == "files.version_block") ++reads;
        return false;
    });

    AppState app(os);
    for (int row = 0; row < 4096; ++row) {
        const char* file = row % 3 == 0 ? "C:\\Tools\\acme.exe" : row % 3 == 1 ? "c:\\tools\\ACME.EXE" : "C:\\Tools\\other.exe";
        EXPECT_EQ(cached_version_texts(app, file).ProductName.empty(), row % 3 == 2);
    }
    EXPECT_EQ(reads, 2);
    EXPECT_EQ(app.versions.size(), 2u);
    EXPECT_EQ(cached_version_texts(app, "C:\\TOOLS\\ACME.EXE").CompanyName, "Acme Corp.");
    EXPECT_EQ(reads, 2);

    app.versions.clear();
    EXPECT_EQ(cached_version_texts(app, "C:\\Tools\\acme.exe").ProductName, "Acme Tools");
    EXPECT_EQ(reads, 3);
}

}  // namespace
}  // namespace sx::programinfo
