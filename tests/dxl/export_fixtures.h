// Exports written for the tests from the format's description: what real
// exports hold, in small.
#ifndef QUENDRAL_TESTS_DXL_EXPORT_FIXTURES_H_
#define QUENDRAL_TESTS_DXL_EXPORT_FIXTURES_H_

#include <string>
#include <string_view>
#include <vector>

#include "dxl/stream_rewriter.h"

namespace quendral::dxl::fixtures {

inline constexpr char kOldReplica[] = "85256E3A0058F1B2";
inline constexpr char kOtherReplica[] = "C12575C90051572F";
inline constexpr char kTargetReplica[] = "1111222233334444";

// A database with one document (hide-whens in two rich-text items, one
// disabled, static tokens beside a formula, pardef ids with a gap, a
// paragraph without def, links of every kind to the old and another
// replica, a link table, repeated item names, non-ASCII text, both quote
// styles and entity forms) and one form with a formula of its own.
inline constexpr char kSalesExport[] = R"(<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE database SYSTEM 'xmlschemas/notes_11_0.dtd'>
<database xmlns='http://www.lotus.com/dxl' version='11.0' replicaid='85256E3A0058F1B2'
 path='CN=pluto/O=NotesLab!!sales.nsf' title='Sales &amp; Service'>
<databaseinfo dbid='85256E3A0058F1B2' odsversion='52'><datamodified><datetime
>20090225T142307,00+01</datetime></datamodified></databaseinfo>
<!-- <formula>Status = "x"</formula> in a comment is no formula -->
<document form='Memo'>
<noteinfo noteid='8f6' unid='0123456789ABCDEF0123456789ABCDEF' sequence='3'>
<created><datetime dst='true'>20090602T164827,61+02</datetime></created></noteinfo>
<item name='Subject'><text>Grüße &amp; mehr<break/>zweite Zeile</text></item>
<item name='Status'><text>Draft</text></item>
<item name='Received'><text>first</text></item>
<item name='Received'><text>second</text></item>
<item name='Count'><number>3</number></item>
<item name='Body'><richtext>
<pardef id='1' hide='web'><code event='hidewhen'><formula>Status = "Draft"</formula></code></pardef>
<par def='1'>shown only to editors</par><par>continues pardef 1</par>
<pardef id='3' leftmargin='1in'><code event='hidewhen' enabled='false'><formula>@True</formula></code></pardef>
<par def='3'>kept hidden on purpose</par>
<par><doclink document='0123456789ABCDEF0123456789ABCDEF' view='C12575C900515749C12575C900515749'
 database='85256E3A0058F1B2' server='CN=pluto/O=NotesLab' description='old &apos;home&apos;'/>
<databaselink database='C12575C90051572F' description='other'/></par>
<![CDATA[ <formula>1</formula> ]]>
</richtext></item>
<item name='Notes'><richtext>
<pardef id="12" hide="notes web"><code event="hidewhen"><formula>Count &gt; 2 &amp; @UserName = "Jane Doe"</formula></code></pardef>
<par def="12"><run
><font style="bold"/>Über</run><viewlink view="C12575C900515749C12575C900515749" database="85256E3A0058F1B2">the view</viewlink></par>
</richtext></item>
<item name='$Links'><rawitemdata type='7'>
AgCy8VgAOm4lhUlXUQDJdSXBAQAAAAAAAACy8VgAOm4lhTQSAADNqwAAL1dR
AMl1JcEAAAAAAAAAAAAAAAAAAAAAAgAAAAEAAAAEAAAAAwAAAA==
</rawitemdata></item>
</document>
<form name='Memo'><noteinfo noteid='2602' unid='00000000000000000000000000000ABC'/>
<item name='$Body'><richtext><pardef id='1'><code event='hidewhen'><formula>@IsNewDoc</formula></code></pardef>
<par def='1'/><par><databaselink database='85256E3A0058F1B2'/></par></richtext></item>
</form>
</database>
)";

// `text` with every "\n" made "\r\n".
std::string WithCrLf(std::string_view text);

// `text` (ASCII or UTF-8) in UTF-16, with a byte-order mark.
std::string InUtf16(std::string_view text, bool big_endian);

// `input` with `changes` applied, as the rewriter applies them.
std::string Applied(std::string_view input, const std::vector<Change>& changes);

// `text` with the first occurrence of `from` after `after` replaced by `to`.
std::string ReplacedAfter(std::string text, std::string_view after, std::string_view from,
                          std::string_view to);

}  // namespace quendral::dxl::fixtures

#endif  // QUENDRAL_TESTS_DXL_EXPORT_FIXTURES_H_
