// The audit as it goes: the streamed reports equal the reports of the same
// audit gathered whole, and several workers report as one does.
#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "report/audit_collector.h"
#include "report/audit_csv.h"
#include "report/audit_html.h"
#include "report/audit_json_sink.h"
#include "report/audit_tee.h"
#include "report/audit_text_sink.h"
#include "report/parallel_audit.h"
#include "report/spill_buffer.h"

namespace quendral::report {
namespace {

// Source `index` has `index` documents with findings of every kind (none for
// source 0), source 3 fails once begun and source 5 before it is begun.
void AuditSample(std::size_t index, unsigned, AuditSink& sink) {
  if (index == 5) {
    sink.FailedSource("db5.nsf", "cannot be opened");
    return;
  }
  sink.BeginSource({"db" + std::to_string(index) + ".nsf", "85256E3A:0058F1B2"});
  for (std::size_t d = 0; d < index; ++d) {
    DocumentFindings document;
    document.unid = std::string(31, 'A') + std::to_string(d % 10);
    document.hidden = {{"Body", "Status = \"x\\\"\"", true, true, false, nullptr},
                       {"Body", "1", std::nullopt, false, false, {{"pardef", 3}}}};
    document.links = {{"$Links",
                       0,
                       "0BADF00D:CAFEBABE",
                       std::string(32, '0'),
                       kDatabaseNotFound,
                       {{"kind", "doclink"}}}};
    document.backups = {"$Links_Backup_20090225142307"};
    document.extra = {{"form", "Memo\nüber"}};
    sink.Document(document);
  }
  if (index == 3) {
    sink.FailedSource("db3.nsf", "cannot be read");
    return;
  }
  sink.EndSource(static_cast<std::int64_t>(2 * index));
}

// The JSON, text, web page and spreadsheet reports.
using Reports = std::array<std::string, 4>;

// Every format at once, as the tool writes them, and each alone.
Reports Streamed(std::size_t sources, unsigned jobs) {
  Reports reports[2];
  for (bool together : {true, false}) {
    std::ostringstream json, text, html, csv;
    JsonAuditSink json_sink(json);
    TextAuditSink text_sink(text);
    HtmlAuditSink html_sink(html);
    CsvAuditSink csv_sink(csv);
    const std::vector<AuditSink*> sinks = {&json_sink, &text_sink, &html_sink, &csv_sink};
    TeeAuditSink tee(sinks);
    for (AuditSink* sink : together ? std::vector<AuditSink*>{&tee} : sinks) {
      sink->BeginRun({});
      AuditInOrder(sources, jobs, AuditSample, *sink);
      sink->EndRun();
    }
    reports[together] = {json.str(), text.str(), html.str(), csv.str()};
  }
  EXPECT_EQ(reports[0], reports[1]);
  return reports[1];
}

TEST(StreamedAudit, EqualsTheReportGatheredWhole) {
  for (std::size_t sources : {0, 1, 6}) {
    AuditCollector collector;
    AuditInOrder(sources, 1, AuditSample, collector);
    std::ostringstream text;
    PrintAuditText(collector.report(), text);
    const Reports streamed = Streamed(sources, 1);
    EXPECT_EQ(streamed[0], AuditJson(collector.report()).dump(2) + "\n") << sources;
    EXPECT_EQ(streamed[1], text.str()) << sources;
  }
}

TEST(StreamedAudit, SeveralWorkersReportAsOneDoes) {
  const Reports one = Streamed(40, 1);
  for (unsigned jobs : {2u, 3u}) {
    EXPECT_EQ(Streamed(40, jobs), one) << jobs;
  }
  // A sink without parts of its own gets the calls made again.
  AuditCollector one_collector, several_collector;
  AuditInOrder(40, 1, AuditSample, one_collector);
  AuditInOrder(40, 3, AuditSample, several_collector);
  EXPECT_EQ(AuditJson(several_collector.report()), AuditJson(one_collector.report()));
}

TEST(StreamedAudit, AThrowingSourceStopsTheRunAfterTheSourcesBeforeIt) {
  std::ostringstream text;
  TextAuditSink sink(text);
  const auto audit = [](std::size_t index, unsigned worker, AuditSink& sink) {
    if (index == 4) {
      throw std::runtime_error("disk gone");
    }
    AuditSample(index, worker, sink);
  };
  EXPECT_THROW(AuditInOrder(30, 2, audit, sink), std::runtime_error);
  EXPECT_NE(text.str().find("db2.nsf"), std::string::npos);
  EXPECT_EQ(text.str().find("db5.nsf"), std::string::npos);
}

TEST(SpillBuffer, GivesBackWhatWasWrittenPastItsMemory) {
  SpillBuffer buffer(10);
  std::string written;
  for (int i = 0; i < 1000; ++i) {
    written += std::to_string(i) + ",";
    buffer.Write(std::to_string(i) + ",");
  }
  std::ostringstream out;
  buffer.CopyTo(out);
  EXPECT_EQ(out.str(), written);
  buffer.Clear();
  EXPECT_TRUE(buffer.Empty());
}

}  // namespace
}  // namespace quendral::report
