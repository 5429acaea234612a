// Replays a fuzz target without libFuzzer, so that every test run drives the
// parsers with bad input under the sanitizers: first each file of the target's
// seed folder, then a bounded number of seeded pseudo-random mutations of them.
#include <QCoreApplication>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {
std::vector<std::vector<uint8_t>> ReadSeeds(const char* folder)
{
    std::vector<std::vector<uint8_t>> seeds;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        std::ifstream in(entry.path(), std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (seeds.empty())
        seeds.emplace_back();
    return seeds;
}

std::vector<uint8_t> Mutate(std::vector<uint8_t> data, std::mt19937& rng)
{
    std::uniform_int_distribution<int> op(0, 4), byte(0, 255);
    int edits = 1 + int(rng() % 8);
    for (int i = 0; i < edits; ++i) {
        size_t pos = data.empty() ? 0 : rng() % data.size();
        switch (op(rng)) {
        case 0: if (!data.empty()) data[pos] = uint8_t(byte(rng)); break;
        case 1: data.insert(data.begin() + long(pos), uint8_t(byte(rng))); break;
        case 2: if (!data.empty()) data.erase(data.begin() + long(pos)); break;
        case 3: data.resize(pos); break; // truncate
        default: if (!data.empty()) data[pos] = uint8_t(data[pos] ^ (1u << (rng() % 8))); break;
        }
    }
    return data;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const char* seedFolder = argc > 1 ? argv[1] : ".";
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 2000;
    const auto seeds = ReadSeeds(seedFolder);
    for (const auto& s : seeds)
        LLVMFuzzerTestOneInput(s.data(), s.size());
    std::mt19937 rng(12345);
    for (int i = 0; i < rounds; ++i) {
        auto input = Mutate(seeds[size_t(i) % seeds.size()], rng);
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("%zu seeds, %d mutations replayed\n", seeds.size(), rounds);
    return 0;
}
