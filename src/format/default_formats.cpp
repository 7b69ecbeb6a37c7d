#include "format/default_formats.h"

namespace tavoli {

// The templates are laid out by their language parts, not by columns.
// clang-format off
#define TAVOLI_MONTHS_LONG \
    "%M{1=\"January\",2=\"February\",3=\"March\",4=\"April\",5=\"May\",6=\"June\",7=\"July\",8=\"August\"," \
    "9=\"September\",10=\"October\",11=\"November\",12=\"December\"}"
#define TAVOLI_MONTHS_SHORT \
    "%M{1=\"JAN\",2=\"FEB\",3=\"MAR\",4=\"APR\",5=\"MAY\",6=\"JUN\",7=\"JUL\",8=\"AUG\",9=\"SEP\",10=\"OCT\"," \
    "11=\"NOV\",12=\"DEC\"}"
// Every day of the month by name: 11th, 12th and 13th break the rule of the last digit.
#define TAVOLI_ORDINAL_DAY \
    "%D{1=\"1st\",2=\"2nd\",3=\"3rd\",4=\"4th\",5=\"5th\",6=\"6th\",7=\"7th\",8=\"8th\",9=\"9th\"," \
    "10=\"10th\",11=\"11th\",12=\"12th\",13=\"13th\",14=\"14th\",15=\"15th\",16=\"16th\"," \
    "17=\"17th\",18=\"18th\",19=\"19th\",20=\"20th\",21=\"21st\",22=\"22nd\",23=\"23rd\"," \
    "24=\"24th\",25=\"25th\",26=\"26th\",27=\"27th\",28=\"28th\",29=\"29th\",30=\"30th\"," \
    "31=\"31st\"}"
#define TAVOLI_WEEKDAY_EN "%W{0=\"SUN\",1=\"MON\",2=\"TUE\",3=\"WED\",4=\"THU\",5=\"FRI\",6=\"SAT\"}"
#define TAVOLI_WEEKDAY_JA "%W{0=\"日\",1=\"月\",2=\"火\",3=\"水\",4=\"木\",5=\"金\",6=\"土\"}"
#define TAVOLI_WEEKDAY_KR "%W{0=\"일\",1=\"월\",2=\"화\",3=\"수\",4=\"목\",5=\"금\",6=\"토\"}"
#define TAVOLI_WEEKDAY_ZH "%W{0=\"日\",1=\"一\",2=\"二\",3=\"三\",4=\"四\",5=\"五\",6=\"六\"}"
#define TAVOLI_ROKUYO "%W?A{1=\"先勝\",2=\"友引\",3=\"先負\",4=\"仏滅\",5=\"大安\",6=\"赤口\"}"
#define TAVOLI_LUNAR_JA "旧%P?A{0=\"\",1=\"閏\"}%M?A月%D?A##日"
// Korea, China and Taiwan keep the lunar months by the Chinese rule (C), not the Japanese one.
#define TAVOLI_LUNAR_KR "음력 %P?C{0=\"\",1=\"윤\"}%M?C월 %D?C일"
#define TAVOLI_LUNAR_CH "农历%P?C{0=\"\",1=\"闰\"}%M?C月%D?C日"
#define TAVOLI_LUNAR_TW "農曆%P?C{0=\"\",1=\"閏\"}%M?C月%D?C日"
#define TAVOLI_SEXAGENARY_DAY                                                                              \
    "%J{%10,0=\"癸\",1=\"甲\",2=\"乙\",3=\"丙\",4=\"丁\",5=\"戊\",6=\"己\",7=\"庚\",8=\"辛\",9=\"壬\"}" \
    "%J{%12,0=\"丑\",1=\"寅\",2=\"卯\",3=\"辰\",4=\"巳\",5=\"午\",6=\"未\",7=\"申\",8=\"酉\",9=\"戌\","  \
    "10=\"亥\",11=\"子\"}"

const char* const kDefaultHeaderFormats[4] = {
    "%Y<(%G%g)> " TAVOLI_MONTHS_LONG
    "\tja:%Y<(%G%g{1=\"元\"})>年 %M月"
    "\tkr:%Y<(%G%g)>년 %M월"
    "\tch:%Y<(%G%g)>年 %M月"
    "\ttw:%Y<(%G%g)>年 %M月",
    "%M",
    "%Y",
    "<%G%g>\tja:<%G%g{1=\"元\"}年>",
};

const char* const kDefaultFooterFormats[4] = {
    TAVOLI_MONTHS_SHORT " " TAVOLI_ORDINAL_DAY " (" TAVOLI_WEEKDAY_EN ")"
    "\tja:%M月%D日(" TAVOLI_WEEKDAY_JA ") " TAVOLI_ROKUYO,

    "%Y## " TAVOLI_MONTHS_SHORT " " TAVOLI_ORDINAL_DAY " (" TAVOLI_WEEKDAY_EN ")"
    "\tja:%Y##年%M月%D日(" TAVOLI_WEEKDAY_JA ")"
    "\tkr:%Y##년%M월%D일(" TAVOLI_WEEKDAY_KR ")"
    "\tch:%Y##年%M月%D日(" TAVOLI_WEEKDAY_ZH ")"
    "\ttw:%Y##年%M月%D日(" TAVOLI_WEEKDAY_ZH ")",

    "\tja:" TAVOLI_LUNAR_JA " " TAVOLI_SEXAGENARY_DAY " " TAVOLI_ROKUYO
    "\tkr:" TAVOLI_LUNAR_KR
    "\tch:" TAVOLI_LUNAR_CH
    "\ttw:" TAVOLI_LUNAR_TW,

    "%Y " TAVOLI_MONTHS_LONG " " TAVOLI_ORDINAL_DAY " (" TAVOLI_WEEKDAY_EN ")"
    "\tja:%M月%D日 " TAVOLI_WEEKDAY_JA " (" TAVOLI_LUNAR_JA " " TAVOLI_SEXAGENARY_DAY " " TAVOLI_ROKUYO ")"
    "\tkr:%Y년 %M월 %D일 (" TAVOLI_WEEKDAY_KR ") (" TAVOLI_LUNAR_KR ")"
    "\tch:%Y年%M月%D日 星期" TAVOLI_WEEKDAY_ZH " (" TAVOLI_LUNAR_CH ")"
    "\ttw:%Y年%M月%D日 星期" TAVOLI_WEEKDAY_ZH " (" TAVOLI_LUNAR_TW ")",
};

const char* const kMonthTitleHoverFormat =
    "\tja:%Y年 (%Y{%10,0=\"かのえ\",1=\"かのと\",2=\"みずのえ\",3=\"みずのと\",4=\"きのえ\",5=\"きのと\","
    "6=\"ひのえ\",7=\"ひのと\",8=\"つちのえ\",9=\"つちのと\"}・%Y{%12,0=\"さる\",1=\"とり\",2=\"いぬ\",3=\"い\","
    "4=\"ね\",5=\"うし\",6=\"とら\",7=\"う\",8=\"たつ\",9=\"み\",10=\"うま\",11=\"ひつじ\"}) ― %M月(%M{1=\"睦月\","
    "2=\"如月\",3=\"弥生\",4=\"卯月\",5=\"皐月\",6=\"水無月\",7=\"文月\",8=\"葉月\",9=\"長月\",10=\"神無月\","
    "11=\"霜月\",12=\"師走\"})";

const char* const kDefaultWeekdayNames =
    "SUN MON TUE WED THU FRI SAT"
    "\tja:日 月 火 水 木 金 土"
    "\tkr:일 월 화 수 목 금 토"
    "\tch:日 一 二 三 四 五 六"
    "\ttw:日 一 二 三 四 五 六";

const char* const kDefaultMonthNames =
    "JAN FEB MAR APR MAY JUN JUL AUG SEP OCT NOV DEC"
    "\tja:１ ２ ３ ４ ５ ６ ７ ８ ９ 10 11 12"
    "\tkr:1월 2월 3월 4월 5월 6월 7월 8월 9월 10월 11월 12월"
    "\tch:一月 二月 三月 四月 五月 六月 七月 八月 九月 十月 十一月 十二月"
    "\ttw:一月 二月 三月 四月 五月 六月 七月 八月 九月 十月 十一月 十二月";

const char* const kTitleBarFormat = "%Y/%M\tja:%Y年%M月\tkr:%Y년%M월\tch:%Y年%M月\ttw:%Y年%M月";
const char* const kTitleBarYearFormat = "%Y\tja:%Y年\tkr:%Y년\tch:%Y年\ttw:%Y年";
const char* const kTitleBarRangeFormat = "%1 \xE2\x80\x93 %2\tja:%1\xEF\xBD\x9E%2";  // "2026/11 – 2027/1"
const char* const kTitleClockFormat =
    "[%M.%D## %W{0=\"Sun\",1=\"Mon\",2=\"Tue\",3=\"Wed\",4=\"Thu\",5=\"Fri\",6=\"Sat\"} - %h##:%m##:%s##]";

const char* const kMemoFileHeaderFormat = ";Tavoli Calendar Memo %Y##/%M##/%D## %h##:%m##:%s##";
const char* const kMemoPromptFormat = "Memo - %Y/%M/%D\tja:メモ - %Y##年%M##月%D##日";

const char* const kMonthTextTitleFormat = "%Y年 %M月";
const char* const kMonthTextWeekdays = "日 月 火 水 木 金 土";
const char* const kMonthTextEnglishTitleFormat = TAVOLI_MONTHS_LONG " %Y";
const char* const kMonthTextEnglishWeekdays = "Su Mo Tu We Th Fr Sa";

const char* const kSpanBeginsFormat = "begins:%Y/%M/%D\tja:開始日：%Y年%M月%D日(";
const char* const kSpanEndsFormat = "ends:%Y/%M/%D\tja:終了日：%Y年%M月%D日(";
const char* const kSpanJapaneseWeekday = TAVOLI_WEEKDAY_JA;
const char* const kSpanLabel = "Span:\tja:期間：";
const char* const kSpanDaysUnit = "days\tja:日";
// clang-format on

}  // namespace tavoli
