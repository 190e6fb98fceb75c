// Times what the main window does when it starts on an input file: open it, settle its format and
// read the first game with its name and description. Each open starts from a fresh file object, as
// after the settings window closes; the page cache is warm after the first.
//
//     pellaquin-open-first-game FILE [OPENS]

#include "records/InputFile.h"
#include "records/InputOpening.h"
#include "records/RecordReader.h"
#include "search/Extraction.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace pellaquin {

namespace {

struct FirstGame {
    std::string name;
    std::string description;
};

// One open; false (with the message the user would see) when the file cannot be shown.
bool OpenFirstGame(const std::string& path, FirstGame& game) {
    InputFile input;
    std::string header;
    InputOpening opened = OpenRecognisedInput(path, input, header);
    if (opened != InputOpening::OK) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), std::string(InputOpeningMessage(opened)).c_str());
        return false;
    }
    RecordReader reader;
    std::string record;
    reader.ReadGameRecord(input, record, input.GameStartTag());
    game.name = ExtractRomName(record, input.Format(), input.Element());
    game.description = ExtractDescription(record, input.Format());
    return true;
}

int Run(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s FILE [OPENS]\n", argv[0]);
        return 2;
    }
    std::string path = argv[1];
    int opens = argc == 3 ? std::atoi(argv[2]) : 21;
    if (opens < 1) {
        std::fprintf(stderr, "OPENS must be a positive number\n");
        return 2;
    }
    std::vector<double> milliseconds;
    FirstGame game;
    for (int i = 0; i < opens; ++i) {
        auto start = std::chrono::steady_clock::now();
        if (!OpenFirstGame(path, game)) {
            return 1;
        }
        std::chrono::duration<double, std::milli> taken = std::chrono::steady_clock::now() - start;
        milliseconds.push_back(taken.count());
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf("median %.3f ms, slowest %.3f ms over %d opens; first game %s (%s)\n",
                milliseconds[milliseconds.size() / 2], milliseconds.back(), opens, game.name.c_str(),
                game.description.c_str());
    return 0;
}

} // namespace

} // namespace pellaquin

int main(int argc, char** argv) {
    return pellaquin::Run(argc, argv);
}
