// Rewriting a large generated export: the two repairs beside a plain copy
// through the same parser, with the process's peak memory; and the same for
// an export whose rich text is all stored records (Base64), whose every
// hide-when the repair overwrites.
//
// Each export (200 MB; QUENDRAL_DXL_BENCH_MB sets another size) is written to
// a temporary folder when a benchmark first needs it. "max_rss_MB" is the
// process's maximum resident set after the run (getrusage), which includes
// the benchmark program itself.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "dxl/export_file.h"
#include "dxl/export_repairs.h"

namespace quendral::dxl {
namespace {

namespace fs = std::filesystem;

// One document as exports write them: items, rich text with hide-whens,
// links, a picture's Base64 data.
std::string Document(int number) {
  const std::string unid = "0123456789ABCDEF0123456789" + std::to_string(100000 + number);
  return "<document form='Memo'>\n<noteinfo noteid='" + std::to_string(number) + "' unid='" + unid +
         "' sequence='1'><created><datetime>20090225T142307,00+01</datetime></created>"
         "</noteinfo>\n<item name='Subject'><text>Report number " +
         std::to_string(number) +
         " &amp; Grüße</text></item>\n<item name='Readers' names='true' readers='true'>"
         "<textlist><text>CN=Jane Doe/O=Lab</text><text>[Admin]</text></textlist></item>\n"
         "<item name='Body'><richtext>\n<pardef id='1' hide='web'><code event='hidewhen'>"
         "<formula>@IsNotMember(\"[Admin]\"; @UserRoles) &amp; Status = \"Draft\"</formula>"
         "</code></pardef>\n<par def='1'><run\n><font style='bold'/>Quarterly figures</run> and "
         "more text that nobody reads but that makes the paragraph long enough.</par>\n"
         "<pardef id='2'><code event='hidewhen' enabled='false'><formula>@True</formula></code>"
         "</pardef>\n<par def='2'>Second paragraph.</par><par>Third paragraph.</par>\n"
         "<par><doclink document='" +
         unid +
         "' view='C12575C900515749C12575C900515749' database='85256E3A0058F1B2' "
         "server='CN=pluto/O=NotesLab' description='home'/> <databaselink "
         "database='C12575C90051572F'/></par>\n<par><picture width='1in' height='1in'><gif>"
         "R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAIBRAA7R0lGODlhAQABAIAAAAAAAP///"
         "yH5BAEAAAAALAAAAAABAAEAAAIBRAA7R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAIBRAA7"
         "</gif></picture></par>\n</richtext></item>\n</document>\n";
}

void PutWord(std::string& bytes, unsigned word) {
  bytes += static_cast<char>(word & 0xFF);
  bytes += static_cast<char>((word >> 8) & 0xFF);
}

// Base64 in lines of 76 digits, as exports write item data.
std::string Base64Lines(const std::string& bytes) {
  static constexpr char kDigits[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string text = "\n";
  std::size_t in_line = 0;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    std::uint32_t group = 0;
    for (std::size_t k = 0; k < 3; ++k) {
      group = group << 8 | (i + k < bytes.size() ? static_cast<std::uint8_t>(bytes[i + k]) : 0);
    }
    for (std::size_t k = 0; k < 4; ++k) {
      text += i + k <= bytes.size() ? kDigits[(group >> (18 - 6 * k)) & 0x3F] : '=';
      if (++in_line == 76) {
        text += '\n';
        in_line = 0;
      }
    }
  }
  return text + "\n";
}

// Rich text as stored records: paragraphs, each under a definition with a
// hide-when formula of 40 bytes, in two items of one name.
std::string BinaryRichTextItem() {
  std::string records;
  for (unsigned pardef = 1; pardef <= 6; ++pardef) {
    PutWord(records, 0xFF82);
    PutWord(records, 6);
    PutWord(records, pardef);
    PutWord(records, 0xFFBB);
    PutWord(records, 14 + 40);
    PutWord(records, pardef);
    records.append(8, '\0');
    PutWord(records, 40);
    records.append(38, '\x2A');
    PutWord(records, 0x0481);
    PutWord(records, pardef);
    PutWord(records, 0xFF85);
    PutWord(records, 4 + 300);
    records.append(300, 'x');
  }
  const std::string item =
      "<item name='Body'><rawitemdata type='1'>" + Base64Lines(records) + "</rawitemdata></item>\n";
  return item + item;
}

std::string BinaryDocument(int number) {
  static const std::string body = BinaryRichTextItem();
  const std::string unid = "0123456789ABCDEF0123456789" + std::to_string(100000 + number);
  return "<document form='Memo'>\n<noteinfo noteid='" + std::to_string(number) + "' unid='" + unid +
         "' sequence='1'/>\n<item name='Subject'><text>Report number " + std::to_string(number) +
         "</text></item>\n" + body + "</document>\n";
}

class GeneratedExport {
 public:
  explicit GeneratedExport(std::string (*document)(int)) {
    const char* megabytes = std::getenv("QUENDRAL_DXL_BENCH_MB");
    const std::uint64_t size = (megabytes != nullptr ? std::stoull(megabytes) : 200) << 20;
    dir_ = fs::temp_directory_path() /
           ("quendral-dxl-bench-" + std::to_string(std::random_device()()));
    fs::create_directories(dir_);
    std::ofstream out(input(), std::ios::binary);
    out << "<?xml version='1.0' encoding='utf-8'?>\n<database xmlns='http://www.lotus.com/dxl' "
           "replicaid='85256E3A0058F1B2'>\n";
    for (int number = 0; static_cast<std::uint64_t>(out.tellp()) < size; ++number) {
      out << document(number);
    }
    out << "</database>\n";
    bytes_ = static_cast<std::int64_t>(out.tellp());
  }
  ~GeneratedExport() { fs::remove_all(dir_); }

  fs::path input() const { return dir_ / "export.xml"; }
  fs::path output() const { return dir_ / "out.xml"; }
  std::int64_t bytes() const { return bytes_; }

 private:
  fs::path dir_;
  std::int64_t bytes_ = 0;
};

const GeneratedExport& TextExport() {
  static const GeneratedExport generated(Document);
  return generated;
}

const GeneratedExport& BinaryExport() {
  static const GeneratedExport generated(BinaryDocument);
  return generated;
}

class NoListener : public ElementListener {
  void OnStart(const StartTag&) override {}
  void OnEnd(const EndTag&) override {}
  void OnText(std::string_view) override {}
};

void RunPass(benchmark::State& state, const GeneratedExport& generated, const ExportPass& pass) {
  for (auto _ : state) {
    Refusal refusal;
    if (!RewriteExportFile(generated.input(), {OutputMode::kNewFile, generated.output()}, pass,
                           &refusal)) {
      state.SkipWithError(refusal.Text().c_str());
    }
  }
  state.SetBytesProcessed(state.iterations() * generated.bytes());
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["max_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

bool PlainCopy(std::istream& in, std::ostream* out, Refusal* refusal) {
  StreamRewriter rewriter(out);
  NoListener listener;
  return rewriter.Run(in, listener, refusal);
}

bool FixHideWhen(std::istream& in, std::ostream* out, Refusal* refusal) {
  RepairCounts counts;
  return FixHideWhenInExport(in, RepairOutput{out, nullptr}, {}, &counts, refusal);
}

void BM_PlainCopy(benchmark::State& state) { RunPass(state, TextExport(), PlainCopy); }

void BM_FixHideWhen(benchmark::State& state) { RunPass(state, TextExport(), FixHideWhen); }

void BM_Relink(benchmark::State& state) {
  RunPass(state, TextExport(), [](std::istream& in, std::ostream* out, Refusal* refusal) {
    const RelinkOptions options{{"85256E3A0058F1B2"}, "1111222233334444", "CN=mars/O=Lab", false};
    RepairCounts counts;
    return RelinkExport(in, RepairOutput{out, nullptr}, options, &counts, refusal);
  });
}

void BM_PlainCopyBinary(benchmark::State& state) { RunPass(state, BinaryExport(), PlainCopy); }

void BM_FixHideWhenBinary(benchmark::State& state) { RunPass(state, BinaryExport(), FixHideWhen); }

BENCHMARK(BM_PlainCopy)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_FixHideWhen)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Relink)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_PlainCopyBinary)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_FixHideWhenBinary)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace quendral::dxl

BENCHMARK_MAIN();
