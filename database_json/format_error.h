// How the JSON database codec refuses its input: one line that names the
// note, the item and the field at fault, for the caller to show as it likes.
#ifndef QUENDRAL_DATABASE_JSON_FORMAT_ERROR_H_
#define QUENDRAL_DATABASE_JSON_FORMAT_ERROR_H_

#include <stdexcept>

namespace quendral::database_json {

class FormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace quendral::database_json

#endif  // QUENDRAL_DATABASE_JSON_FORMAT_ERROR_H_
