#include "model/Document.h"
#include "persistence/DocumentFile.h"
#include "persistence/FileReplacement.h"
#include "tests/persistence/PersistenceTestSupport.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string_view>
#include <vector>

namespace {

td::Document Plan(int items, char letter)
{
    td::Document plan = td::testing::NewProject();
    td::ChartItem item = td::testing::MakeItem(td::TaskLine, {0, 0, 2009, 4, 1}, {0, 0, 2009, 4, 10});
    std::memset(item.text, letter, sizeof item.text);
    for (int i = 0; i < items; ++i)
        plan.AddItem(item);
    return plan;
}

}  // namespace

// `save_driver OUT ITEMS LETTER`: saves a plan of ITEMS task lines, their texts full of LETTER,
// to OUT as the editor does. It says on stdout when the file is about to be replaced and how long
// that took, so that a test can kill it during the write.
int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: save_driver OUT ITEMS LETTER\n";
        return 2;
    }
    const std::vector<uint8_t> image = td::DocumentImage(Plan(std::atoi(argv[2]), argv[3][0]));
    std::cout << "saving" << std::endl;
    const auto start = std::chrono::steady_clock::now();
    const bool saved = td::ReplaceFile(argv[1], std::string_view(reinterpret_cast<const char*>(image.data()), image.size()));
    const auto took = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    std::cout << took.count() << std::endl;
    return saved ? 0 : 1;
}
