// Hostile exports, generated: entity bombs, deep nesting, huge tags and the
// small files that once crashed or fooled the tool. Each is written to a
// stream piece by piece, so that a 50 MB one costs its writer no memory.
#ifndef QUENDRAL_TESTS_DXL_HOSTILE_EXPORTS_H_
#define QUENDRAL_TESTS_DXL_HOSTILE_EXPORTS_H_

#include <functional>
#include <ostream>
#include <string>

namespace quendral::dxl::hostile {

inline constexpr char kRootStart[] = "<database xmlns='http://www.lotus.com/dxl'>";

using Writer = std::function<void(std::ostream& out)>;

// `<!ENTITY e1 '&e0;'>` ... to `levels`, the last referenced in a document.
inline void WriteEntityChain(std::ostream& out, int levels) {
  out << "<?xml version='1.0'?>\n<!DOCTYPE database [\n<!ENTITY e0 'x'>\n";
  for (int i = 1; i <= levels; ++i) {
    out << "<!ENTITY e" << i << " '&e" << (i - 1) << ";'>\n";
  }
  out << "]>\n"
      << kRootStart << "<document><item name='a'><text>&e" << levels
      << ";</text></item></document></database>\n";
}

// Ten entities of ten references each: 10^9 "lol"s from 1 KB.
inline void WriteBillionLaughs(std::ostream& out) {
  out << "<?xml version='1.0'?>\n<!DOCTYPE database [\n<!ENTITY lol0 'lol'>\n";
  for (int i = 1; i <= 9; ++i) {
    out << "<!ENTITY lol" << i << " '";
    for (int k = 0; k < 10; ++k) {
      out << "&lol" << (i - 1) << ";";
    }
    out << "'>\n";
  }
  out << "]>\n"
      << kRootStart << "<document><item name='a'><text>&lol9;</text></item>"
      << "</document></database>\n";
}

// One 50 KB entity referenced 5,000 times: 250 MB from 300 KB, in small
// steps that no amplification limit per reference notices.
inline void WriteQuadraticBlowup(std::ostream& out) {
  out << "<?xml version='1.0'?>\n<!DOCTYPE database [\n<!ENTITY a '" << std::string(50000, 'a')
      << "'>\n]>\n"
      << kRootStart << "<document><item name='a'><text>";
  for (int i = 0; i < 5000; ++i) {
    out << "&a;";
  }
  out << "</text></item></document></database>\n";
}

// `levels` paragraphs, each inside the one before, in a document's rich text.
inline void WriteDeepNesting(std::ostream& out, int levels) {
  out << kRootStart << "<document><item name='Body'><richtext>";
  for (int i = 0; i < levels; ++i) {
    out << "<par>";
  }
  for (int i = 0; i < levels; ++i) {
    out << "</par>";
  }
  out << "</richtext></item></document></database>\n";
}

// A link whose description is `megabytes` MB long.
inline void WriteLongAttribute(std::ostream& out, int megabytes) {
  out << kRootStart << "<document><item name='Body'><richtext><par>"
      << "<doclink database='85256E3A0058F1B2' description='";
  const std::string megabyte(1 << 20, 'a');
  for (int i = 0; i < megabytes; ++i) {
    out << megabyte;
  }
  out << "'/></par></richtext></item></document></database>\n";
}

// A value element where the format puts none: inside a paragraph of an
// item that has no rich text (140 bytes; it once crashed the audit of
// formulas for a user).
inline constexpr char kValueInParagraph[] =
    "<?xml version='1.0'?>\n<document xmlns='http://www.lotus.com/dxl'><item name='a'><par>"
    "<datetime>6</datetime></par><par>x</par></item></document>\n";

// A link whose replica is an entity the DTD declares.
inline constexpr char kEntityInLink[] =
    "<?xml version='1.0'?>\n<!DOCTYPE database [<!ENTITY old '85256E3A0058F1B2'>]>\n"
    "<database xmlns='http://www.lotus.com/dxl'><document><item name='Body'><richtext><par>"
    "<doclink database='&old;'/></par></richtext></item></document></database>\n";

// A link whose replica is given by the DTD's default, not by the tag.
inline constexpr char kDefaultInLink[] =
    "<?xml version='1.0'?>\n<!DOCTYPE database [<!ATTLIST doclink database CDATA "
    "'85256E3A0058F1B2'>]>\n"
    "<database xmlns='http://www.lotus.com/dxl'><document><item name='Body'><richtext><par>"
    "<doclink/></par></richtext></item></document></database>\n";

// A hide-when formula given through an entity.
inline constexpr char kEntityInFormula[] =
    "<?xml version='1.0'?>\n<!DOCTYPE database [<!ENTITY f 'Status = \"Draft\"'>]>\n"
    "<database xmlns='http://www.lotus.com/dxl'><document><item name='Body'><richtext>"
    "<pardef id='1'><code event='hidewhen'><formula>&f;</formula></code></pardef>"
    "<par def='1'>x</par></richtext></item></document></database>\n";

// A reference to an entity that the DTD, which is never read, might declare.
inline constexpr char kUndeclaredInLink[] =
    "<?xml version='1.0'?>\n<!DOCTYPE database SYSTEM 'xmlschemas/domino_11_0.dtd'>\n"
    "<database xmlns='http://www.lotus.com/dxl'><document><item name='Body'><richtext><par>"
    "<doclink database='85256E3A&r;0058F1B2'/></par></richtext></item></document></database>\n";

}  // namespace quendral::dxl::hostile

#endif  // QUENDRAL_TESTS_DXL_HOSTILE_EXPORTS_H_
