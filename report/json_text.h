// JSON as the tool prints it. Names and texts come from outside (file names
// in the system's bytes, values of documents and exports) and need not be
// UTF-8; every byte sequence that is not becomes U+FFFD, so that printing a
// report never fails after the work it reports is done.
#ifndef QUENDRAL_REPORT_JSON_TEXT_H_
#define QUENDRAL_REPORT_JSON_TEXT_H_

#include <nlohmann/json.hpp>
#include <string>

namespace quendral::report {

// `value` as text, indented by `indent` blanks a level (on one line when
// negative).
std::string JsonText(const nlohmann::json& value, int indent = 2);

}  // namespace quendral::report

#endif  // QUENDRAL_REPORT_JSON_TEXT_H_
