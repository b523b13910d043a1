// JSON written a part at a time in the layout the JSON library gives a
// whole value with dump(2), so that a report streamed in parts reads, byte
// for byte, as the same report printed at once.
#ifndef QUENDRAL_REPORT_JSON_LAYOUT_H_
#define QUENDRAL_REPORT_JSON_LAYOUT_H_

#include <nlohmann/json.hpp>
#include <string>

namespace quendral::report {

// `value` as dump(2) prints it nested `depth` levels deep: every line after
// the first indented by the enclosing levels.
std::string NestedJson(const nlohmann::json& value, int depth);

}  // namespace quendral::report

#endif  // QUENDRAL_REPORT_JSON_LAYOUT_H_
