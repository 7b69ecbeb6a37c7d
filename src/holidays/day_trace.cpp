#include "holidays/day_trace.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "framework/lang_text.h"
#include "framework/paths.h"
#include "framework/platform.h"
#include "holidays/day_kinds.h"

namespace tavoli {

namespace {

const char* const kWeekdayNames[7] = {
    "Sunday\tja:日曜日",   "Monday\tja:月曜日", "Tuesday\tja:火曜日",  "Wednesday\tja:水曜日",
    "Thursday\tja:木曜日", "Friday\tja:金曜日", "Saturday\tja:土曜日",
};

const char* const kRoles[] = {
    "Script: %1\tja:スクリプト: %1",
    "Per-user script: %1\tja:ユーザーごとのスクリプト: %1",
    "All-users script: %1\tja:全ユーザー共通のスクリプト: %1",
    "Country's script: %1\tja:国のスクリプト: %1",
    "Region's script: %1\tja:地域のスクリプト: %1",
};

const char* const kStates[] = {
    "",
    " (in force)\tja: (使用中)",
    " (does not compile now: the rules that compiled last stay in force)\tja: "
    "(今の内容はコンパイルできません: 最後にコンパイルできた規則を使用中)",
    " (does not compile: no rules are in force)\tja: (コンパイルできません: 規則は使われていません)",
    " (not used: the per-user script stands in its place)\tja: (未使用: ユーザーごとのスクリプトが優先されます)",
    " (missing)\tja: (ありません)",
};

const char* const kKindLine = "Kind \"%1\" from line %2: %3\tja:種類 \"%1\" (%2 行目): %3";
const char* const kWeekdayKindLine =
    "No rule sets a kind: the weekday's kind \"%1\" from line %2: %3\tja:種類を決める規則はありません: 曜日の種類 "
    "\"%1\" "
    "(%2 行目): %3";
const char* const kNoKindLine =
    "No rule sets a kind, nor does a \"#weekday\" line for this weekday\tja:種類を決める規則も、この曜日の "
    "\"#weekday\" "
    "行もありません";
const char* const kNameLine = "Name \"%1\" from line %2: %3\tja:名前 \"%1\" (%2 行目): %3";
// The same, in a holiday set of several scripts: %4 is the file's name.
const char* const kKindLineIn = "Kind \"%1\" from %4, line %2: %3\tja:種類 \"%1\" (%4 の %2 行目): %3";
const char* const kWeekdayKindLineIn =
    "No rule sets a kind: the weekday's kind \"%1\" from %4, line %2: %3\tja:種類を決める規則はありません: 曜日の種類 "
    "\"%1\" (%4 の %2 行目): %3";
const char* const kNameLineIn = "Name \"%1\" from %4, line %2: %3\tja:名前 \"%1\" (%4 の %2 行目): %3";
const char* const kNoNamesLine = "No rule gives a name\tja:名前を付ける規則はありません";
const char* const kOtherKind = "Kind \"%1\"\tja:種類 \"%1\"";
const char* const kBlockLine =
    "  x in descriptor %1 (%2) matched line %3: %4\tja:  記述子 %1 の x (%2) は %3 行目に当てはまりました: %4";

// The code page a language's names are written in, where the tag says; 0 for a tag of
// no known code page.
int CodePageOfLanguage(PackedTag tag) {
    for (const auto& [name, codePage] :
         {std::pair{"ja", 932},  std::pair{"kr", 949},  std::pair{"ch", 936},  std::pair{"tw", 950},
          std::pair{"en", 1252}, std::pair{"de", 1252}, std::pair{"fr", 1252}, std::pair{"es", 1252},
          std::pair{"it", 1252}, std::pair{"nl", 1252}, std::pair{"pt", 1252}, std::pair{"sv", 1252},
          std::pair{"da", 1252}, std::pair{"no", 1252}, std::pair{"fi", 1252}, std::pair{"is", 1252},
          std::pair{"cs", 1250}, std::pair{"sk", 1250}, std::pair{"pl", 1250}, std::pair{"hu", 1250},
          std::pair{"sl", 1250}, std::pair{"hr", 1250}, std::pair{"ro", 1250}, std::pair{"el", 1253},
          std::pair{"et", 1257}, std::pair{"lv", 1257}, std::pair{"lt", 1257}, std::pair{"bg", 1251},
          std::pair{"uk", 1251}, std::pair{"vi", 1258}, std::pair{"ca", 1252}, std::pair{"gl", 1252},
          std::pair{"eu", 1252}, std::pair{"rm", 1252}, std::pair{"af", 1252}, std::pair{"ir", 1252},
          std::pair{"mr", 1252}}) {
        if (tag == PackTag(name)) return codePage;
    }
    return 0;
}

// A script line as the user can read it: the text of a name tagged for another language
// is kept where it is plain ASCII or written in this code page (a German name under code
// page 1252); in another code page it is mojibake here (the shipped script's "ja:" names
// under an English system), so only its tag is kept.
std::string Readable(const std::string& line) {
    const PackedTag own = CurrentLanguage();
    const int codePage = CurrentPlatform().AnsiCodePage();
    std::string out;
    size_t start = 0;
    while (start <= line.size()) {
        size_t stop = line.find('\t', start);
        if (stop == std::string::npos) stop = line.size();
        const std::string_view segment(line.data() + start, stop - start);
        const size_t colon = segment.find(':');
        const bool tagged = start > 0 && colon != std::string_view::npos && colon > 0 && colon <= 4;
        const PackedTag tag = tagged ? PackTag(segment.substr(0, colon)) : 0;
        // UTF-8 (the tool on Linux) shows every language.
        const bool foreign = tagged && tag != own && CodePageOfLanguage(tag) != codePage && codePage != 65001;
        const bool unreadable =
            std::any_of(segment.begin(), segment.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
        if (foreign && unreadable) {
            // The name ends at its closing quote; what follows it is the rule's again.
            size_t end = segment.rfind('"');
            if (end == std::string_view::npos || end < colon) end = segment.size();
            out += std::string(segment.substr(0, colon + 1)) + "..." + std::string(segment.substr(end));
        } else {
            out += segment;
        }
        if (stop < line.size()) out += '\t';
        start = stop + 1;
    }
    return out;
}

// The day in one sentence, as a person would say it: its kind and names ("National
// holiday: Coming of Age Day"), or its weekday where that gives the kind ("Sunday").
std::string PlainSentence(CalDate date, const HolidayScript& script) {
    const std::string kind = KindOf(script, date);
    std::string sentence;
    if (!kind.empty()) {
        const DayKind known = DayKindFromText(kind);
        sentence = known != DayKind::kNone ? DayKindName(known) : FillText(kOtherKind, {kind});
    } else {
        const DayKind weekdayKind = DayKindFromText(KindOfWeekday(script, date.Weekday()));
        sentence = weekdayKind == DayKind::kNone || weekdayKind == DayKind::kNormal
                       ? DayKindName(DayKind::kNormal)
                       : ResolveText(kWeekdayNames[date.Weekday()]);
    }
    const std::vector<NameEntry> names = NamesOf(script, date);
    for (size_t i = 0; i < names.size(); ++i) sentence += (i == 0 ? ": " : ", ") + names[i].name;
    return sentence;
}

class Tracer {
public:
    Tracer(const HolidayScript& script, const std::vector<ScriptText>& texts) : script_(script), texts_(texts) {}

    // The line of an entry as written, with its number, and said in the line's words
    // (with the file's name where the rules come from several files).
    std::string Number(size_t entry) const { return std::to_string(script_.Entries()[entry].line); }
    std::string Written(size_t entry) const {
        const ScriptText* text = TextOf(entry);
        const size_t line = static_cast<size_t>(script_.Entries()[entry].line);
        return text && line >= 1 && line <= text->lines.size() ? Readable(text->lines[line - 1]) : std::string();
    }
    std::string Said(const char* single, const char* inSet, std::string kind, size_t entry) const {
        if (texts_.size() < 2) return FillText(single, {std::move(kind), Number(entry), Written(entry)});
        const ScriptText* text = TextOf(entry);
        return FillText(inSet,
                        {std::move(kind), Number(entry), Written(entry), text ? PathPart(text->path, "fe") : ""});
    }

    // The days and block lines the x descriptors of the rule matched.
    void AddBlockMatches(const EvaluationTrace& trace, size_t rule, std::vector<std::string>& out) const {
        for (const EvaluationTrace::BlockMatch& match : trace.blockMatches) {
            if (match.rule != rule) continue;
            out.push_back(FillText(kBlockLine, {std::to_string(match.descriptor + 1), match.day.Text(),
                                                Number(match.blockRule), Written(match.blockRule)}));
        }
    }

private:
    const ScriptText* TextOf(size_t entry) const {
        const size_t source = static_cast<size_t>(script_.Entries()[entry].source);
        return source < texts_.size() ? &texts_[source] : nullptr;
    }

    const HolidayScript& script_;
    const std::vector<ScriptText>& texts_;
};

}  // namespace

std::vector<std::string> DayTrace(CalDate date, const HolidayScript& script, const std::vector<std::string>& lines,
                                  const std::vector<TracedScriptFile>& files) {
    return DayTrace(date, script, std::vector<ScriptText>{{std::string(), lines}}, files);
}

std::vector<std::string> DayTrace(CalDate date, const HolidayScript& script, const std::vector<ScriptText>& texts,
                                  const std::vector<TracedScriptFile>& files) {
    std::vector<std::string> out;
    out.push_back(date.Text() + " (" + ResolveText(kWeekdayNames[date.Weekday()]) + ")");
    out.push_back(PlainSentence(date, script));
    for (const TracedScriptFile& file : files) {
        out.push_back(FillText(kRoles[static_cast<int>(file.role)], {file.path}) +
                      ResolveText(kStates[static_cast<int>(file.state)]));
    }

    const Tracer tracer(script, texts);
    EvaluationTrace kindTrace;
    const std::string kind = KindOf(script, date, &kindTrace);
    if (!kindTrace.matchedRules.empty()) {
        const size_t rule = kindTrace.matchedRules.front();
        out.push_back(tracer.Said(kKindLine, kKindLineIn, kind, rule));
        tracer.AddBlockMatches(kindTrace, rule, out);
    } else {
        // The calendar colours such a day by its weekday's kind: say which line gives it.
        const auto& entries = script.Entries();
        size_t weekdayLine = entries.size();
        for (size_t i = 0; i < entries.size() && weekdayLine == entries.size(); ++i) {
            if (entries[i].type == ScriptEntry::kWeekday && entries[i].weekday == date.Weekday()) weekdayLine = i;
        }
        if (weekdayLine < entries.size()) {
            out.push_back(tracer.Said(kWeekdayKindLine, kWeekdayKindLineIn, entries[weekdayLine].kind, weekdayLine));
        } else {
            out.push_back(ResolveText(kNoKindLine));
        }
    }

    EvaluationTrace nameTrace;
    const std::vector<NameEntry> names = NamesOf(script, date, &nameTrace);
    if (names.empty()) out.push_back(ResolveText(kNoNamesLine));
    for (size_t i = 0; i < names.size() && i < nameTrace.matchedRules.size(); ++i) {
        const size_t rule = nameTrace.matchedRules[i];
        out.push_back(tracer.Said(kNameLine, kNameLineIn, names[i].name, rule));
        tracer.AddBlockMatches(nameTrace, rule, out);
    }
    return out;
}

}  // namespace tavoli
