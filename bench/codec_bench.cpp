// Codec benchmark: ratio and speed of our -lh5-/-lh6-/-lh7- codec on a corpus, against gzip -6,
// bsdtar and lhasa measured in the same run. Prints figures; never a pass/fail test. Speeds come
// from wall time and from CPU time: on a shared machine only the latter compares fairly.
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bench/lzh_member_file.h"
#include "codec/archive.h"
#include "codec/decoder.h"
#include "codec/encoder.h"
#include "codec/io.h"
#include "codec/method.h"
#include "codec/parallel_encoder.h"

namespace {

using Clock = std::chrono::steady_clock;
const int kRuns = std::getenv("BENCH_RUNS") ? std::atoi(std::getenv("BENCH_RUNS")) : 3;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double ProcessCpuSeconds() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

double ChildrenCpuSeconds() {
    rusage u;
    getrusage(RUSAGE_CHILDREN, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

struct Timing {
    double wall = 0;
    double cpu = 0;
    Timing& operator+=(const Timing& o) {
        wall += o.wall;
        cpu += o.cpu;
        return *this;
    }
};

// Median wall and CPU seconds of kRuns calls; `cpuClock` reads this process or its children.
template <typename F>
Timing MedianTimes(F&& f, double (*cpuClock)() = ProcessCpuSeconds) {
    std::vector<double> wall, cpu;
    for (int i = 0; i < kRuns; ++i) {
        auto start = Clock::now();
        double cpuStart = cpuClock();
        f();
        cpu.push_back(cpuClock() - cpuStart);
        wall.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    return {Median(wall), Median(cpu)};
}

Timing ToolTimes(const std::string& command) {
    return MedianTimes(
        [&] {
            if (std::system(command.c_str()) != 0) std::fprintf(stderr, "command failed: %s\n", command.c_str());
        },
        ChildrenCpuSeconds);
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(f), {});
}

// Compares what the decoder writes with the original as it comes, keeping nothing: growing a buffer
// of the whole output would cost more than the decoding itself (the tools write to /dev/null).
class CheckingSink : public lzh::ByteSink {
public:
    explicit CheckingSink(const std::vector<std::uint8_t>& expected) : expected_(expected) {}
    bool Write(const std::uint8_t* data, std::size_t size) override {
        same_ = same_ && size <= expected_.size() - pos_ && std::memcmp(data, expected_.data() + pos_, size) == 0;
        pos_ += same_ ? size : 0;
        return true;
    }
    bool Same() const { return same_ && pos_ == expected_.size(); }

private:
    const std::vector<std::uint8_t>& expected_;
    std::size_t pos_ = 0;
    bool same_ = true;
};

struct Totals {
    double original = 0, packed = 0;
    Timing compress, decompress, bsdtar, lhasa;
};

double Speed(double bytes, double seconds) { return seconds > 0 ? bytes / seconds / 1e6 : 0; }

// One archive of every file, as the library writes it: members and segments on `threads` threads.
// Returns the archive's size.
std::size_t WriteArchive(const std::vector<std::vector<std::uint8_t>>& files, const lzh::Method& method, int threads) {
    lzh::MemorySink sink;
    // Room for the whole archive at once, as a file has: growing the buffer on the writing thread
    // (copies and page faults) took a core's share from the compressing threads.
    std::size_t total = 0;
    for (const auto& f : files) total += f.size() + 1024;
    sink.Bytes().reserve(total);
    lzh::ArchiveWriter writer(sink);
    lzh::ParallelEncoder encoder(threads);
    std::vector<lzh::MemorySource> sources(files.begin(), files.end());
    for (lzh::MemorySource& s : sources) encoder.Queue(s, method);
    for (std::size_t i = 0; i < files.size(); ++i) {
        lzh::NewEntry entry;
        entry.name = "member" + std::to_string(i);
        if (writer.AddQueuedFile(entry, encoder, nullptr).status != lzh::WriteStatus::Ok) std::abort();
    }
    writer.Finish();
    return sink.Bytes().size();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: codec_bench CORPUS_DIR WORK_DIR [FILE...]\n");
        return 2;
    }
    const std::string corpus = argv[1], work = argv[2];
    std::vector<std::string> files;
    for (int i = 3; i < argc; ++i) files.push_back(argv[i]);
    if (files.empty())
        files = {"english.txt", "cxx-headers.tar", "cmake.elf", "records.csv", "japanese-sjis.txt", "random.bin"};
    const char* methodIds[] = {"-lh5-", "-lh6-", "-lh7-"};
    const bool withTools = std::getenv("BENCH_NO_TOOLS") == nullptr;

    std::vector<Totals> totals(3);
    std::vector<std::vector<std::uint8_t>> contents;
    double gzipBytes = 0;
    Timing gzip;
    std::printf("%-18s %-6s %7s %9s %9s %9s %9s\n", "file", "method", "ratio", "comp MB/s", "dec MB/s",
                "bsdtar", "lhasa");
    for (const std::string& name : files) {
        const std::string path = corpus + "/" + name;
        const std::vector<std::uint8_t> data = ReadFile(path);
        if (data.empty()) {
            std::fprintf(stderr, "cannot read %s\n", path.c_str());
            return 1;
        }
        contents.push_back(data);
        if (withTools) {
            Timing t = ToolTimes("gzip -6 -c '" + path + "' > /dev/null");
            gzipBytes += data.size();
            gzip += t;
            std::printf("%-18s %-6s %7s %9.1f\n", name.c_str(), "gzip-6", "", Speed(data.size(), t.wall));
        }
        for (int m = 0; m < 3; ++m) {
            const lzh::Method method = lzh::FindMethod(methodIds[m]);
            lzh::MemorySink packedSink;
            lzh::EncodeResult er;
            Timing compress = MedianTimes([&] {
                packedSink = lzh::MemorySink();
                lzh::MemorySource src(data);
                er = lzh::Encode(method, src, packedSink, data.size());
            });
            const bool stored = er.limitReached;
            if (!er.ok && !stored) {
                std::fprintf(stderr, "encode failed: %s %s\n", name.c_str(), methodIds[m]);
                return 1;
            }
            std::vector<std::uint8_t> packed = stored ? data : packedSink.Bytes();
            Timing decompress;
            if (!stored) {
                bool same = true;
                decompress = MedianTimes([&] {
                    lzh::MemorySource src(packed);
                    CheckingSink plain(data);
                    lzh::DecodeResult dr = lzh::Decode(method, src, data.size(), plain);
                    same = dr.status == lzh::DecodeStatus::Ok && plain.Same();
                });
                if (!same) {
                    std::fprintf(stderr, "ROUND TRIP FAILED: %s %s\n", name.c_str(), methodIds[m]);
                    return 1;
                }
            }
            Timing bsdtar, lhasa;
            if (withTools) {
                const std::string archive = work + "/" + name + "." + std::string(methodIds[m]).substr(1, 3) + ".lzh";
                if (!bench::WriteSingleMemberArchive(archive, stored ? "-lh0-" : methodIds[m], name, packed, data)) {
                    std::fprintf(stderr, "cannot write %s\n", archive.c_str());
                    return 1;
                }
                bsdtar = ToolTimes("bsdtar -xOf '" + archive + "' > /dev/null");
                lhasa = ToolTimes("lhasa pq '" + archive + "' > /dev/null");
            }
            Totals& t = totals[m];
            t.original += data.size();
            t.packed += packed.size();
            t.compress += compress;
            if (!stored) {
                t.decompress += decompress;
                t.bsdtar += bsdtar;
                t.lhasa += lhasa;
            }
            std::printf("%-18s %-6s %7.4f %9.1f %9s %9s %9s%s\n", name.c_str(), methodIds[m],
                        double(packed.size()) / data.size(), Speed(data.size(), compress.wall),
                        stored ? "-" : std::to_string(int(Speed(data.size(), decompress.wall))).c_str(),
                        stored ? "-" : std::to_string(int(Speed(data.size(), bsdtar.wall))).c_str(),
                        stored ? "-" : std::to_string(int(Speed(data.size(), lhasa.wall))).c_str(),
                        stored ? "  (stored)" : "");
            std::fflush(stdout);
        }
    }

    const double ratioGoal[3] = {0.345, 0, 0.296};
    const double speedGoal[3] = {2.0, 0, 1.0};
    std::printf("\noverall (median of %d runs; decompression over the members we did not store)\n", kRuns);
    for (int m = 0; m < 3; ++m) {
        const Totals& t = totals[m];
        const double ratio = t.packed / t.original;
        std::printf("%s ratio %.4f", methodIds[m], ratio);
        if (ratioGoal[m] > 0) std::printf(" (goal <= %.3f: %s)", ratioGoal[m], ratio <= ratioGoal[m] ? "met" : "MISSED");
        std::printf("\n");
    }
    const char* clocks[2] = {"wall", "cpu"};
    for (int c = 0; c < 2; ++c) {
        auto of = [c](const Timing& t) { return c == 0 ? t.wall : t.cpu; };
        std::printf("\nspeeds by %s time%s\n", clocks[c], c == 0 ? " (other load on the machine skews these)" : "");
        const double gzipSpeed = Speed(gzipBytes, of(gzip));
        if (withTools) std::printf("  gzip -6 compress: %.1f MB/s\n", gzipSpeed);
        for (int m = 0; m < 3; ++m) {
            const Totals& t = totals[m];
            const double comp = Speed(t.original, of(t.compress));
            std::printf("  %s compress %.1f MB/s  decompress %.1f MB/s", methodIds[m], comp,
                        Speed(t.original, of(t.decompress)));
            if (withTools) {
                std::printf("  | compress/gzip-6 %.2fx", comp / gzipSpeed);
                std::printf("  decompress/bsdtar %.2fx  decompress/lhasa %.2fx", of(t.bsdtar) / of(t.decompress),
                            of(t.lhasa) / of(t.decompress));
                if (speedGoal[m] > 0)
                    std::printf("  (goal >= %.1fx gzip-6: %s)", speedGoal[m],
                                comp / gzipSpeed >= speedGoal[m] ? "met" : "MISSED");
            }
            std::printf("\n");
        }
    }

    // Scaling: one archive of the whole corpus, as the library writes it, by wall time.
    const int cores = lzh::ParallelEncoder::ThreadsFor(0);
    std::vector<int> threadCounts = {1, 2};
    if (cores > 2) threadCounts.push_back(cores);
    const double gzipWall = Speed(gzipBytes, gzip.wall);
    double corpusBytes = 0;
    for (const auto& f : contents) corpusBytes += f.size();
    std::printf("\nwhole corpus in one archive, by wall time%s\n", withTools ? " (against gzip -6 above)" : "");
    for (int m : {0, 2}) {
        const lzh::Method method = lzh::FindMethod(methodIds[m]);
        double oneThread = 0;
        for (int threads : threadCounts) {
            std::size_t size = 0;
            const Timing t = MedianTimes([&] { size = WriteArchive(contents, method, threads); });
            const double speed = Speed(corpusBytes, t.wall);
            if (threads == 1) oneThread = speed;
            std::printf("  %s %2d thread%s: ratio %.4f  %6.1f MB/s  %.2fx one thread", methodIds[m], threads,
                        threads == 1 ? " " : "s", size / corpusBytes, speed, speed / oneThread);
            if (withTools) std::printf("  %.2fx gzip-6", speed / gzipWall);
            std::printf("\n");
        }
    }
    return 0;
}
