// Writes the seed corpus for the fuzz targets: small fonts from the test
// builder, well formed and damaged, and a few settings files.
#include <filesystem>
#include <string>
#include <vector>

#include "sfntbuilder.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    NameTableSpec shared{{Mac(1, "Same"), Mac(4, "Same"), Ms(1, "Same"), Ms(4, "Same")}, true, 3};
    NameTableSpec damaged{{Mac(4, "Broken"), Ms(4, "Broken")}};
    damaged.records[0].offsetOverride = 0x7000;
    const Bytes full = BuildFont({Mac(0, "(c) Mac"), Mac(1, "Fam"), Mac(4, "Fam Bold"), Ms(0, "(c) Win"), Ms(1, "Fam"),
                                  Ms(4, "Fam Bold")});
    const std::vector<Bytes> fonts = {
        full, BuildFont({Mac(7, "TM"), Ms(4, "Only Win")}),
        BuildFont({{0, 3, 0, 4, Utf16Latin1("Uni")}, {2, 0, 0, 4, "Iso"}, {7, 0, 0, 4, "Seven"}}),
        BuildSfnt({{"head", Bytes(54, 1)}, {"name", BuildNameTable(shared)}}),
        BuildSfnt({{"name", BuildNameTable(damaged)}, {"NAME", "upper"}}),
        BuildSfnt({{"head", Bytes(54, 2)}, {"glyf", Bytes(3, 3)}}), full.substr(0, full.size() / 2)};
    const std::vector<Bytes> settings = {
        ";Quillmere configuration file\r\n;Quillmere\r\n;Last updated Wed Aug  7 12:00:00 2002\r\n;\r\n"
        "[Quillmere]\r\nApplicationPath = C:\\QM\\\r\nBottomPrintMargin = 50\r\nDisplayFontSize = 24\r\n"
        "FontSampleText = The quick brown fox\r\nPaperColumns = 3\r\nSampleFontColour = 4294967295\r\n"
        "StartupDirectory = C:\\FONTS\\\r\nFileMenuPath = C:\\FONTS\\\r\nFileMenuPath = D:\\\r\n",
        "Paper=4\nShow==0\nFont x\n\npaperColumns = 2\nLogoDelay = -1\nTitleFontSize\t= 9\n",
        "PageFooter = " + std::string(200, 'p') + "PaperColumns = 5\r\nFooterFont = Times New Roman   \r\n",
        "FileMenuPath = A:\\\rFileMenuPathX=B:\\\r\n; comment\r\nWarnShowManual = 0\x1aPaperColumns = 1\r\n"};
    const std::pair<const char*, std::vector<Bytes>> targets[] = {
        {"fonts", fonts}, {"settings", settings}, {"footer", {"%P %S %a %D %n %t %%%x%"}}};
    for (const auto& [target, seeds] : targets) {
        const std::filesystem::path dir = std::filesystem::path(argv[1]) / target;
        std::filesystem::create_directories(dir);
        for (size_t i = 0; i < seeds.size(); ++i) {
            if (!WriteFile((dir / ("seed" + std::to_string(i))).string(), seeds[i])) return 1;
        }
    }
    return 0;
}
