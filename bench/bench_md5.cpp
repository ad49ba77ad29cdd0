// MD5 throughput of the placement's own digest beside OpenSSL's (libcrypto,
// through EVP) on the same 256 MiB buffer and the same 256 MiB file, and the
// peak resident memory of PlaceDroppedFile on a 1 GiB file that no pattern or
// digest recognises. The peak (VmHWM) is measured in a child process started
// afresh (spawn of this program), so that the parent's buffers do not count;
// a second child that does nothing gives the start-up baseline.
//
// Run: bench_md5 [Google Benchmark flags]. Ratios are printed at the end.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <openssl/evp.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "deploy/file_reader.h"
#include "deploy/md5.h"
#include "deploy/placement.h"

extern char** environ;

namespace {

constexpr std::size_t kDataSize = std::size_t{256} << 20;     // 256 MiB
constexpr off_t kPlacementFileSize = off_t{1} << 30;           // 1 GiB

std::string g_folder;  // temporary folder of this run (Linux path)

const std::vector<std::uint8_t>& Data() {
  static const std::vector<std::uint8_t> data = [] {
    std::vector<std::uint8_t> d(kDataSize);
    std::mt19937_64 random(20190709);
    for (std::size_t i = 0; i + 8 <= d.size(); i += 8) {
      const std::uint64_t v = random();
      std::memcpy(d.data() + i, &v, 8);
    }
    return d;
  }();
  return data;
}

// The Windows-form path under which the placement reaches a Linux path.
tessavel::Text WindowsPathOf(const std::string& native) {
  tessavel::Text path = "Z:";
  for (char c : native) path += c == '/' ? '\\' : c;
  return path;
}

std::string DataFile() { return g_folder + "/data.bin"; }

std::string OpenSslMd5(const void* data, std::size_t size) {
  std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  EVP_DigestInit_ex(ctx.get(), EVP_md5(), nullptr);
  EVP_DigestUpdate(ctx.get(), data, size);
  EVP_DigestFinal_ex(ctx.get(), digest, &length);
  return std::string(reinterpret_cast<char*>(digest), length);
}

// OpenSSL over the file, read exactly as the placement reads it: pieces of the
// same size through read(2).
std::string OpenSslMd5OfFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {};
  std::vector<std::uint8_t> buffer(tessavel::kFileReadPieceSize);
  std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
  EVP_DigestInit_ex(ctx.get(), EVP_md5(), nullptr);
  ssize_t got = 0;
  while ((got = ::read(fd, buffer.data(), buffer.size())) > 0)
    EVP_DigestUpdate(ctx.get(), buffer.data(), static_cast<std::size_t>(got));
  ::close(fd);
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  EVP_DigestFinal_ex(ctx.get(), digest, &length);
  return std::string(reinterpret_cast<char*>(digest), length);
}

void BM_Md5Buffer_Tessavel(benchmark::State& state) {
  const auto& data = Data();
  for (auto _ : state) benchmark::DoNotOptimize(tessavel::Md5HexOfBytes(data.data(), data.size()));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kDataSize);
}

void BM_Md5Buffer_OpenSSL(benchmark::State& state) {
  const auto& data = Data();
  for (auto _ : state) benchmark::DoNotOptimize(OpenSslMd5(data.data(), data.size()));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kDataSize);
}

void BM_Md5File_Tessavel(benchmark::State& state) {
  const tessavel::Text path = WindowsPathOf(DataFile());
  for (auto _ : state) {
    if (tessavel::Md5HexOfFile(path).empty()) state.SkipWithError("file not read");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kDataSize);
}

void BM_Md5File_OpenSSL(benchmark::State& state) {
  const std::string path = DataFile();
  for (auto _ : state) {
    if (OpenSslMd5OfFile(path).empty()) state.SkipWithError("file not read");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kDataSize);
}

// Alternate the two sides so that load from other processes hits both alike.
BENCHMARK(BM_Md5Buffer_Tessavel)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Md5Buffer_OpenSSL)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Md5File_Tessavel)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Md5File_OpenSSL)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Keeps the medians' throughput for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.aggregate_name == "median") {
        const auto it = run.counters.find("bytes_per_second");
        if (it != run.counters.end()) median[run.run_name.function_name] = it->second.value;
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> median;
};

// The peak resident set of this process in KiB (VmHWM, which exec resets,
// unlike the maximum that getrusage reports across an exec).
long OwnPeakKiB() {
  FILE* status = std::fopen("/proc/self/status", "r");
  if (status == nullptr) return -1;
  char line[256];
  long kib = -1;
  while (std::fgets(line, sizeof line, status) != nullptr) {
    if (std::sscanf(line, "VmHWM: %ld kB", &kib) == 1) break;
  }
  std::fclose(status);
  return kib;
}

// Child mode: place the file, then write the peak to standard output.
int RunPlacementChild(const char* windowsPath) {
  if (windowsPath != nullptr) tessavel::PlaceDroppedFile(windowsPath);
  std::printf("%ld\n", OwnPeakKiB());
  return 0;
}

// Runs this program afresh as a child with the given arguments and returns
// the peak resident set in KiB that the child reports, or -1.
long ChildPeakKiB(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
  pid_t child = 0;
  const int spawned =
      posix_spawn(&child, "/proc/self/exe", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeEnds[1]);
  std::string output;
  char buffer[64];
  ssize_t got = 0;
  while (spawned == 0 && (got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0)
    output.append(buffer, static_cast<std::size_t>(got));
  ::close(pipeEnds[0]);
  if (spawned != 0) return -1;
  int status = 0;
  if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return -1;
  return std::strtol(output.c_str(), nullptr, 10);
}

void RemoveTree(const std::string& folder) {
  const std::string command = "rm -rf -- '" + folder + "'";
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "could not remove %s\n", folder.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "--placement-child") == 0)
    return RunPlacementChild(argc >= 3 ? argv[2] : nullptr);

  char pattern[] = "/tmp/tessavel-bench-XXXXXX";
  if (::mkdtemp(pattern) == nullptr) {
    std::perror("mkdtemp");
    return 1;
  }
  g_folder = pattern;

  // The two digests must agree before their speeds are compared.
  const auto& data = Data();
  {
    const tessavel::Md5Digest own = [&] {
      tessavel::Md5 md5;
      md5.Update(data.data(), data.size());
      return md5.Finish();
    }();
    if (OpenSslMd5(data.data(), data.size()) != std::string(own.begin(), own.end())) {
      std::fprintf(stderr, "digests differ\n");
      RemoveTree(g_folder);
      return 1;
    }
  }
  if (FILE* out = std::fopen(DataFile().c_str(), "wb")) {
    std::fwrite(data.data(), 1, data.size(), out);
    std::fclose(out);
  }

  // Peak memory: a sparse 1 GiB file that matches no name pattern; its whole
  // content is read and hashed.
  const std::string big = g_folder + "/unrecognised.bin";
  const int fd = ::open(big.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const bool sparseMade = fd >= 0 && ::ftruncate(fd, kPlacementFileSize) == 0;
  if (fd >= 0) ::close(fd);
  long peak = -1, baseline = -1;
  if (sparseMade) {
    baseline = ChildPeakKiB({argv[0], "--placement-child"});
    peak = ChildPeakKiB({argv[0], "--placement-child", WindowsPathOf(big)});
  }
  struct stat st {};
  const bool stayed = ::stat(big.c_str(), &st) == 0 && st.st_size == kPlacementFileSize;
  ::unlink(big.c_str());

  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  RemoveTree(g_folder);

  auto ratio = [&](const char* own, const char* reference) {
    const auto a = reporter.median.find(own), b = reporter.median.find(reference);
    return a != reporter.median.end() && b != reporter.median.end() && b->second > 0
               ? a->second / b->second
               : 0.0;
  };
  std::printf("\nMD5 throughput, own / OpenSSL (medians): buffer %.2fx, file %.2fx (target >= 0.9x)\n",
              ratio("BM_Md5Buffer_Tessavel", "BM_Md5Buffer_OpenSSL"),
              ratio("BM_Md5File_Tessavel", "BM_Md5File_OpenSSL"));
  std::printf(
      "PlaceDroppedFile on a 1 GiB unrecognised file: peak resident %.1f MiB "
      "(%.2f of the 16 MiB limit; a child that only starts up: %.1f MiB); file left in place: %s\n",
      peak / 1024.0, peak / (16.0 * 1024.0), baseline / 1024.0, stayed ? "yes" : "NO");
  return 0;
}
