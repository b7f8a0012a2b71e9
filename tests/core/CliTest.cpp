// huewright-cli's commands on real files in a scratch folder, as a script would run them.
#include "app/PaletteChecks.h"
#include "cli/BackgroundWriter.h"
#include "cli/Cli.h"
#include "cli/CliPalettes.h"
#include "color/ContrastFixes.h"
#include "library/PaletteExchange.h"
#include "library/PaletteRecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Black on white passes every target; the default palette's boxes fail AA.
constexpr const char* kPalettes =
    "GIMP Palette\nName: Test\n#\n"
    "255 255 255\n0 0 0\n255 255 255\n0 0 0\n255 255 255\n0 0 0\n255 255 255\n0 0 0\n"
    "190 190 161\n116 105 85\n";

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("huewright-cli-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        Put("test.gpl", kPalettes);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string Path(const std::string& name) const { return (dir / name).string(); }
    void Put(const std::string& name, const std::string& bytes) const {
        std::ofstream(dir / name, std::ios::binary) << bytes;
    }
    std::string Get(const std::string& name) const {
        std::ifstream in(dir / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    int Run(std::vector<std::string> args) {
        out.str({});
        err.str({});
        return RunCli(args, out, err);
    }

    fs::path dir;
    std::ostringstream out, err;
};

} // namespace

// Every format out and back in gives the same palettes, colors and names, as list shows them.
TEST_F(CliTest, ExportAndImportRoundTripInEveryFormat) {
    ASSERT_EQ(Run({"import", "--into", Path("palettes.dat"), Path("test.gpl")}), kExitSuccess) << err.str();
    EXPECT_EQ(out.str(), "Imported 2 palettes into \"" + Path("palettes.dat") + "\".\n");
    ASSERT_EQ(Run({"list", Path("palettes.dat")}), kExitSuccess);
    const std::string listed = out.str();
    EXPECT_EQ(listed.substr(0, listed.find('\n')),
              "1\tTest 1\t#ffffff #000000 #ffffff #000000 #ffffff #000000 #ffffff #000000\tGeorgia, 36 pt");

    for (const std::string format : {"gpl", "ase", "json", "tokens"}) {
        SCOPED_TRACE(format);
        const std::string exported = Path("out." + format), library = Path(format + ".dat");
        ASSERT_EQ(Run({"export", Path("palettes.dat"), "--format", format, "-o", exported}), kExitSuccess)
            << err.str();
        ASSERT_EQ(Run({"import", "--into", library, exported}), kExitSuccess) << err.str();
        ASSERT_EQ(Run({"list", library}), kExitSuccess);
        EXPECT_EQ(out.str(), listed);
    }
    // Text formats go to standard output, byte for byte what -o writes.
    ASSERT_EQ(
        Run({"export", Path("palettes.dat"), "--format", "json", "--palette", "2", "--palette", "Test 1"}),
        kExitSuccess);
    const std::string both = out.str();
    EXPECT_LT(both.find("\"name\": \"Test 2\""), both.find("\"name\": \"Test 1\""));
    ASSERT_EQ(Run({"export", Path("palettes.dat"), "--format", "css"}), kExitSuccess);
    EXPECT_NE(out.str().find("#ffffff"), std::string::npos);
    ASSERT_EQ(Run({"export", Path("palettes.dat"), "--format", "css-oklch"}), kExitSuccess);
    EXPECT_NE(out.str().find("oklch("), std::string::npos);
    // Each color's scale follows it: 8 colors and 88 steps a palette.
    ASSERT_EQ(Run({"export", Path("palettes.dat"), "--format", "css", "--scales", "--palette", "1"}),
              kExitSuccess);
    const std::string scales = out.str();
    EXPECT_EQ(std::count(scales.begin(), scales.end(), ';'), 96);
    const std::size_t box1 = scales.find("-box-1: #");
    ASSERT_NE(box1, std::string::npos);
    EXPECT_NE(scales.find("-box-1-50: #", box1), std::string::npos);
    EXPECT_NE(scales.find("-text-4-950: #"), std::string::npos);
    ASSERT_EQ(Run({"export", Path("palettes.dat"), "--format", "tailwind", "--scales", "--palette", "1"}),
              kExitSuccess);
    EXPECT_EQ(std::ranges::count(out.str(), ';'), 97);
    EXPECT_NE(out.str().find("--color-test-1-text-4-950: oklch("), std::string::npos);
}

// A library of the oldest generation is read as the program reads it and left as it was.
TEST_F(CliTest, ALegacyLibraryIsConvertedInMemoryOnly) {
    std::string compact(40, '\0');
    const std::uint32_t marker = CompactRecordMagic;
    std::memcpy(compact.data(), &marker, sizeof(marker));
    compact[8] = '\x11';
    Put("old.dat", compact);
    ASSERT_EQ(Run({"list", Path("old.dat")}), kExitSuccess) << err.str();
    EXPECT_EQ(out.str().substr(0, 12), "1\tPalette #1");
    EXPECT_NE(out.str().find("#110000"), std::string::npos);
    EXPECT_EQ(Get("old.dat"), compact);
    EXPECT_FALSE(fs::exists(dir / "old.dat._backup"));
}

TEST_F(CliTest, CheckFailsWhenAnyPaletteFailsItsTarget) {
    Put("pass.gpl", std::string(kPalettes).substr(0, std::string(kPalettes).find("190 190")));
    EXPECT_EQ(Run({"check", Path("pass.gpl"), "--target", "aaa"}), kExitSuccess);
    EXPECT_EQ(out.str().substr(out.str().rfind('\n', out.str().size() - 2) + 1),
              "0 of 1 palette fails AAA.\n");
    EXPECT_EQ(Run({"check", Path("test.gpl")}), kExitCheckFailed);
    EXPECT_NE(out.str().find("  box 1  #746955 on #bebea1  2.84:1"), std::string::npos) << out.str();
    EXPECT_EQ(Run({"check", Path("test.gpl"), "--json", "--cvd", "--target", "apca"}), kExitCheckFailed);
    EXPECT_NE(out.str().find("\"failing\": 1}"), std::string::npos);
    EXPECT_NE(out.str().find("\"achromatopsia\": ["), std::string::npos);
}

// The command's verdict is the palette inspector's, box by box, for random palettes and fonts near
// every size threshold: the inspector takes box 1's text at its em height (the font's height in
// pixels) at 96 pixels per inch, bold from weight 700, boxes 2 to 4 at the dialog's small size, and
// judges each with PassesTarget at TextSizeOf. The default Georgia 36 pt bold makes box 1 an APCA
// heading, where #999999 on white (Lc 54.6) passes.
TEST_F(CliTest, CheckJudgesEachBoxAsTheInspectorDoes) {
    std::mt19937 random(3232);
    std::vector<PaletteRecord> palettes;
    for (int i = 0; i < 400; ++i) {
        PaletteColors colors{};
        for (int box = 0; box < 4; ++box) {
            const int grey = static_cast<int>(random() % 256);
            colors.box[box] = random() % 2 ? 0xFFFFFF : random() & 0xFFFFFF;
            colors.text[box] = random() % 2 ? MakeColor(grey, grey, grey) : random() & 0xFFFFFF;
        }
        LogFontImage font = BuiltInBoxFont();
        font.numbers.height = -static_cast<std::int32_t>(8 + random() % 48);
        font.numbers.weight = static_cast<std::int32_t>(1 + random() % 9) * 100;
        palettes.push_back(MakeRecord(u"Random", colors, font));
    }
    palettes.push_back(MakeRecord(
        u"Grey heading", {{0xFFFFFF, 0, 0, 0}, {0x999999, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}}, BuiltInBoxFont()));
    Put("random.json", ExportPalettes(palettes, ExchangeFormat::Json));
    const std::regex kBoxVerdict(R"re(\{"box": \d, [^}]*"passes": (true|false)\})re");
    for (ContrastTarget target : {ContrastTarget::AA, ContrastTarget::AAA, ContrastTarget::Apca}) {
        const char* name = target == ContrastTarget::AA    ? "aa"
                           : target == ContrastTarget::AAA ? "aaa"
                                                           : "apca";
        Run({"check", Path("random.json"), "--json", "--target", name});
        const std::string report = out.str();
        auto verdict = std::sregex_iterator(report.begin(), report.end(), kBoxVerdict);
        for (const PaletteRecord& palette : palettes) {
            const PaletteColors colors = RecordColors(palette);
            for (int box = 0; box < 4; ++box, ++verdict) {
                ASSERT_NE(verdict, std::sregex_iterator());
                const double points = box == 0 ? -palette.font.numbers.height * 72.0 / 96 : 9.0;
                const bool inspector =
                    PassesTarget(colors.text[box], colors.box[box],
                                 TextSizeOf(points, palette.font.numbers.weight >= 700), target);
                EXPECT_EQ((*verdict)[1] == "true", inspector)
                    << name << ", box " << box + 1 << " of " << ColorsText(palette) << " at " << points
                    << " pt";
            }
        }
    }
    EXPECT_EQ(Run({"check", Path("random.json"), "--target", "apca"}), kExitCheckFailed);
    EXPECT_NE(out.str().find("  box 1  #999999 on #ffffff  2.84:1  Lc 54.6  large   pass\n"),
              std::string::npos);
}

// Box 1's text size comes from its font, at 96 pixels per inch, and any one failing box fails the
// palette: #949494 on white is 3.03:1, enough under AA for large text only.
TEST_F(CliTest, CheckSizesBoxOneByItsFontAndFailsOnAnyBox) {
    struct Case {
        const char* heightAndWeight;
        int grayBox;
        const char* size;
        int status;
    };
    const Case kCases[] = {
        {"-24:0:0:0:400", 1, "large ", kExitSuccess}, // 18 points
        {"-23:0:0:0:400", 1, "normal", kExitCheckFailed},
        {"-19:0:0:0:700", 1, "large ", kExitSuccess}, // 14.25 points, bold
        {"-18:0:0:0:700", 1, "normal", kExitCheckFailed},
        {"-19:0:0:0:699", 1, "normal", kExitCheckFailed},
        {"-24:0:0:0:400", 4, "normal", kExitCheckFailed},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string(c.heightAndWeight) + " box " + std::to_string(c.grayBox));
        std::string boxes;
        for (int box = 1; box <= 4; ++box) {
            boxes += std::string(box > 1 ? ", " : "") + R"({"background": "#ffffff", "text": ")" +
                     (box == c.grayBox ? "#949494" : "#000000") + "\"}";
        }
        Put("sized.json", R"([{"name": "Sized", "boxes": [)" + boxes + R"(], "font": {"face": "Arial", )" +
                              R"("numbers": ")" + c.heightAndWeight + R"(:0:0:0:0:1:2:0:34"}}])");
        EXPECT_EQ(Run({"check", Path("sized.json")}), c.status) << err.str();
        const std::string shown = out.str();
        const std::size_t line = shown.find("  box " + std::to_string(c.grayBox) + "  #949494");
        ASSERT_NE(line, std::string::npos) << shown;
        EXPECT_NE(shown.substr(line, shown.find('\n', line) - line).find(c.size), std::string::npos) << shown;
    }
}

// The forms an option takes, the last of a repeated one winning, and each level's help.
TEST_F(CliTest, OptionFormsAndHelpTexts) {
    Put("pass.gpl", std::string(kPalettes).substr(0, std::string(kPalettes).find("190 190")));
    const std::pair<std::vector<std::string>, std::string> kCases[] = {
        {{"check", Path("pass.gpl"), "--target=aaa"}, "0 of 1 palette fails AAA.\n"},
        {{"check", Path("pass.gpl"), "--target", "apca", "--target", "aaa"}, "0 of 1 palette fails AAA.\n"},
        {{"check", "--target=apca", Path("pass.gpl")}, "0 of 1 palette fails APCA.\n"},
        {{"list", "-h"}, "Usage: huewright-cli list FILE\n"},
        {{"check", "--help"}, "Usage: huewright-cli check FILE"},
        {{"-h"}, "Usage: huewright-cli COMMAND"},
        {{"export", Path("test.gpl"), "--format", "css", "--palette", "02"}, "  --test-2-box-1: "},
        {{"check", Path("pass.gpl"), "--json", "--cvd"}, "\"achromatopsia\": []}}"},
        {{"check", Path("pass.gpl"), "--json"}, "{\"number\": 1, \"name\": \"Test\", \"passes\": true, "},
        {{"check", Path("pass.gpl"), "--cvd"}, "  Protanopia: no look-alike backgrounds\n"},
    };
    for (const auto& [args, expected] : kCases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        EXPECT_EQ(Run(args), kExitSuccess) << err.str();
        EXPECT_NE(out.str().find(expected), std::string::npos) << out.str();
    }
}

// Output that cannot be flushed at the end is a failure to write, never a success.
TEST_F(CliTest, OutputThatCannotBeFlushedExitsWithTwo) {
    struct RefusingFlush : std::stringbuf {
        int sync() override { return -1; }
    };
    const std::vector<std::vector<std::string>> cases = {{"list", Path("test.gpl")},
                                                         {"check", Path("test.gpl")},
                                                         {"export", Path("test.gpl"), "--format", "css"}};
    for (const auto& args : cases) {
        SCOPED_TRACE(args[0]);
        RefusingFlush buffer;
        std::ostream refusing(&buffer);
        EXPECT_EQ(RunCli(args, refusing, err), kExitError);
        EXPECT_NE(err.str().find("could not be written"), std::string::npos) << err.str();
    }
}

// More pieces than may wait are all written, in order; after a failed write nothing more is.
TEST(BackgroundWriterTest, WritesEveryPieceInOrderUntilAWriteFails) {
    for (const int failAt : {-1, 3}) {
        std::string written;
        int writes = 0;
        BackgroundWriter writer([&](std::string_view piece) {
            written += piece;
            return writes++ != failAt;
        });
        bool accepted = true;
        for (int i = 0; i < 20 && accepted; ++i) {
            std::string piece = std::to_string(i % 10);
            accepted = writer.Put(piece);
        }
        EXPECT_EQ(writer.Finish(), failAt < 0);
        EXPECT_EQ(written, failAt < 0 ? "01234567890123456789" : "0123");
    }
    // A writer left without Finish finishes as it goes.
    std::string written;
    {
        BackgroundWriter writer([&](std::string_view piece) {
            written += piece;
            return true;
        });
        std::string piece = "last";
        writer.Put(piece);
    }
    EXPECT_EQ(written, "last");
}

// One sentence on standard error and status 2, for usage errors and for files that cannot be used.
TEST_F(CliTest, UsageErrorsAndUnreadableFilesExitWithTwo) {
    Put("damaged.ase", "ASEF\x00\x01\x00\x00\x00\x00\x00\x05garbage");
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"paint"},
        {"list"},
        {"list", "a.dat", "b.dat"},
        {"export", Path("test.gpl")},
        {"export", Path("test.gpl"), "--format", "pdf"},
        {"export", Path("test.gpl"), "--format", "ase"},
        {"export", Path("test.gpl"), "--format", "gpl", "--scales"},
        {"export", Path("test.gpl"), "--format", "css", "--palette", "Nobody"},
        {"export", Path("test.gpl"), "--format", "json", "-o", Path("no/such/folder/out.json")},
        {"import", Path("test.gpl")},
        {"check", Path("test.gpl"), "--target", "aaaa"},
        {"check", Path("test.gpl"), "--colour"},
        {"check", Path("test.gpl"), "--target"},
        {"list", Path("missing.gpl")},
        {"list", Path("test.txt")},
        {"check", Path("damaged.ase")},
        {"import", "--into", Path("palettes.dat"), Path("test.gpl"), Path("damaged.ase")},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        EXPECT_EQ(Run(args), kExitError);
        const std::string message = err.str();
        EXPECT_EQ(message.rfind("huewright-cli", 0), 0u);
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1);
    }
    // A name without an extension is refused for what it is.
    EXPECT_EQ(Run({"list", Path("palettes")}), kExitError);
    EXPECT_NE(err.str().find("is neither a palette library"), std::string::npos) << err.str();
    // The import whose second file was damaged wrote nothing.
    EXPECT_FALSE(fs::exists(dir / "palettes.dat"));
    EXPECT_EQ(Run({"list", "--help"}), kExitSuccess);
    EXPECT_EQ(Run({"--version"}), kExitSuccess);
    EXPECT_EQ(out.str(), "huewright-cli 1.0.0\n");
}
