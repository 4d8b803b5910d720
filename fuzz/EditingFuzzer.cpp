#include "fuzz/EditingSteps.h"
#include "fuzz/PlanBuilder.h"
#include "persistence/HolidayFile.h"

#include <QGuiApplication>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct ScreenSize {
    int width;
    int height;
    double ratio;
};

// Small screens keep each redraw cheap (every redraw copies the whole buffer); the larger ones
// show more rows and days at once. Some are screens of device pixel ratio 1.5 or 2.
constexpr std::array Screens = {ScreenSize {320, 240, 1}, ScreenSize {200, 120, 1.5}, ScreenSize {320, 240, 2},
                                ScreenSize {200, 120, 1}, ScreenSize {480, 320, 1.5}, ScreenSize {320, 480, 1},
                                ScreenSize {640, 480, 1}, ScreenSize {1024, 768, 1}};

// Fonts need a GUI application; it lives until the process ends.
QGuiApplication* application = nullptr;
std::string directory;
std::vector<std::string> examples;
uint64_t inputs = 0;

// Files of one process only, in memory where the system offers it.
std::string MakeDirectory()
{
    const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string name = (base / "td-editing-XXXXXX").string();
    if (!mkdtemp(name.data()))
        std::abort();
    return name;
}

// Every input starts from the same files: saves may have overwritten the examples' copies and
// the holiday dialog the holiday files, and the files a previous input saved are not the next
// input's to open.
void ResetFiles()
{
    for (const fs::directory_entry& entry : fs::directory_iterator(directory))
        fs::remove_all(entry.path());
    examples.clear();
    for (const char* name : {"project.tdp", "schedule.tds"}) {
        const fs::path target = fs::path(directory) / name;
        fs::copy_file(fs::path(TD_EXAMPLES_DIR) / name, target);
        examples.push_back(target.string());
    }
    int holidays[td::HolidayTableSize] = {0, 1, 0, 0, 0, 0, 1};
    td::SaveHolidayFile(2009, holidays);
}

void Finish()
{
    std::fprintf(stderr, "editing_fuzzer: %llu steps over %llu inputs\n",
                 static_cast<unsigned long long>(td::fuzz::EditingSteps::StepCount()),
                 static_cast<unsigned long long>(inputs));
    std::error_code ignored;
    fs::remove_all(directory, ignored);
    delete application;
}

}  // namespace

// Fontconfig keeps its caches where LeakSanitizer cannot see them.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "editing_fuzzer";
    static char* argv[] = {name, nullptr};
    application = new QGuiApplication(argc, argv);
    directory = MakeDirectory();
    td::SetHolidayDirectory(directory);
    std::atexit(Finish);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ++inputs;
    ResetFiles();
    td::fuzz::FuzzInput input(data, size);
    const ScreenSize screen = input.Pick(Screens);
    td::fuzz::EditingSession session(input, directory, screen.width, screen.height);
    session.view.SetDeviceScale(screen.ratio);
    session.Resize(screen.width * 3 / 4, screen.height * 3 / 4);
    td::fuzz::EditingSteps steps(input, session);
    steps.Start([&] { td::fuzz::BuildPlan(input, session, directory, examples); });
    while (!input.Empty() && steps.Next()) {
    }
    steps.UndoEverything();
    return 0;
}
