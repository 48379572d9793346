#include "tools/publish/report_page.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/cp1251.h"
#include "tools/publish/html_text.h"
#include "tools/publish/svg_chart.h"

namespace rezov {
namespace {

const char kStyle[] =
    "body{font-family:sans-serif;max-width:50em;margin:1.5em auto;padding:0 1em;color:#222}"
    "h1{font-size:1.5em;margin-bottom:0}h2{font-size:1.15em;border-bottom:1px solid #bbb;"
    "margin-top:1.6em}table{border-collapse:collapse;margin:.5em 0}"
    "th,td{border:1px solid #bbb;padding:.2em .6em;text-align:left}"
    "table.numbers td+td,table.numbers th+th{text-align:right}tr.total td{font-weight:bold}"
    ".formula{font-size:1.1em}.lists{display:flex;gap:1.5em;flex-wrap:wrap;align-items:flex-start}"
    ".note{color:#555}pre{background:#f4f4f4;padding:.6em;overflow-x:auto}"
    "svg{width:100%;height:auto}"
    "@media print{body{max-width:none;margin:0}section{break-inside:avoid}}";

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find(separator, start)) != std::string::npos;) {
    parts.push_back(text.substr(start, at - start));
    start = at + separator.size();
  }
  parts.push_back(text.substr(start));
  return parts;
}

std::string Trim(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Text of the module or of a log, shown as UTF-8: well-formed UTF-8 as it
// is, anything else taken as the Cyrillic ANSI code page the host uses.
std::string Shown(const std::string& bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    const std::size_t length = c < 0x80 ? 1 : c >= 0xC2 && c <= 0xDF ? 2
                               : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    bool wellFormed = length > 0 && i + length <= bytes.size();
    for (std::size_t k = 1; wellFormed && k < length; ++k) {
      wellFormed = (static_cast<unsigned char>(bytes[i + k]) & 0xC0) == 0x80;
    }
    if (!wellFormed) return HtmlEscaped(Cp1251ToUtf8(bytes));
    i += length;
  }
  return HtmlEscaped(bytes);
}

std::string Cell(const char* tag, const std::string& text) {
  return std::string("<") + tag + ">" + text + "</" + tag + ">";
}

std::string Two(int n) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", n);
  return text;
}

std::string TimeText(const CalendarTime& t) { return Two(t.hour) + ":" + Two(t.minute); }

std::string DayText(const CalendarTime& t) { return Two(t.day) + "." + Two(t.month); }

std::string MomentText(const ContactMoment& m) {
  return DayText(m.time) + " " + TimeText(m.time) + ", " + m.band + " m " + m.mode;
}

// The module's summary: its heading, its rows as a table, and the score
// line spelled out.
std::string SummarySection(const std::string& summary) {
  const std::vector<std::string> lines = Split(summary, "\r\n");
  std::string html = "<section><h1>" + Shown(Trim(lines[0])) + "</h1>";
  if (lines.size() > 1) html += "<p>" + Shown(Trim(lines[1])) + "</p>";
  html += "<h2>Summary</h2><table class=\"numbers\">";
  for (std::size_t i = 2; i < lines.size() && !lines[i].empty(); ++i) {
    const bool heading = i == 2;
    html += std::string("<tr") + (lines[i].rfind("Total", 0) == 0 ? " class=\"total\"" : "") +
            ">";
    for (const std::string& item : Split(lines[i], "\t")) {
      html += Cell(heading ? "th" : "td", Shown(Trim(item)));
    }
    html += "</tr>";
  }
  html += "</table>";
  int points = 0, obl = 0, ma = 0, grid = 0;
  long long score = 0;
  if (std::sscanf(lines.back().c_str(), "Score: %d*(%d + %d + %d) = %lld", &points, &obl, &ma,
                  &grid, &score) == 5) {
    html += "<p class=\"formula\">Score = points &times; (OBL + MA + Grid) = " +
            std::to_string(points) + " &times; (" + std::to_string(obl) + " + " +
            std::to_string(ma) + " + " + std::to_string(grid) + ") = " +
            std::to_string(points) + " &times; " + std::to_string(obl + ma + grid) + " = <b>" +
            std::to_string(score) + "</b></p>";
  }
  return html + "<p class=\"note\">MA: stations in Moscow; OBL: the regions of Russia; Grid: the "
                "two-character codes of stations outside Russia.</p></section>";
}

std::string ToursSection(const ContestStatistics& s) {
  std::vector<BarGroup> groups;
  for (const TourCount& t : s.tours) {
    BarGroup g{TimeText(t.start), {}};
    for (const std::string& band : s.bands) {
      const auto it = t.perBand.find(band);
      g.values.push_back(it == t.perBand.end() ? 0 : it->second);
    }
    groups.push_back(g);
  }
  std::vector<std::string> series;
  for (const std::string& band : s.bands) series.push_back(band + " m");
  return "<section><h2>QSOs per tour</h2>" +
         GroupedBarChart("QSOs per half-hour tour (UTC)", series, groups) + "</section>";
}

std::string ScoreSection(const ContestStatistics& s) {
  std::vector<LinePoint> points;
  int lastHour = -1;
  for (const ScorePoint& p : s.scoreCurve) {
    const double minutes = OleDateFromCalendar(p.time) * 24 * 60;
    LinePoint point{minutes, static_cast<double>(p.score), ""};
    if (p.time.hour != lastHour) point.label = TimeText(p.time);
    lastHour = p.time.hour;
    points.push_back(point);
  }
  return "<section><h2>Score through the contest</h2>" +
         LineChart("Score after each QSO (UTC)", points) + "</section>";
}

std::string BandModeSection(const ContestStatistics& s) {
  std::vector<std::string> modes;
  for (const auto& [band, perMode] : s.bandMode) {
    for (const auto& [mode, count] : perMode) {
      if (std::find(modes.begin(), modes.end(), mode) == modes.end()) modes.push_back(mode);
    }
  }
  std::string html = "<section><h2>Bands and modes</h2><table class=\"numbers\"><tr><th>Band</th>";
  for (const std::string& mode : modes) html += Cell("th", Shown(mode));
  html += "<th>All</th></tr>";
  for (const std::string& band : s.bands) {
    const auto row = s.bandMode.find(band);
    int all = 0;
    html += "<tr>" + Cell("td", Shown(band) + " m");
    for (const std::string& mode : modes) {
      const int n = row == s.bandMode.end() || !row->second.count(mode) ? 0
                                                                          : row->second.at(mode);
      all += n;
      html += Cell("td", std::to_string(n));
    }
    html += Cell("td", std::to_string(all)) + "</tr>";
  }
  return html + "</table></section>";
}

std::string MultiplierList(const char* name, const std::vector<Multiplier>& list) {
  std::string html = "<div><table><tr><th>" + std::string(name) + " (" +
                     std::to_string(list.size()) + ")</th><th>first worked</th></tr>";
  for (const Multiplier& m : list) {
    html += "<tr>" + Cell("td", Shown(m.value)) +
            Cell("td", Shown(m.first.call) + ", " + Shown(MomentText(m.first))) + "</tr>";
  }
  return html + "</table></div>";
}

std::string MultipliersSection(const ContestStatistics& s) {
  return "<section><h2>Multipliers</h2><div class=\"lists\">" + MultiplierList("MA", s.ma) +
         MultiplierList("OBL", s.obl) + MultiplierList("Grid", s.grid) + "</div></section>";
}

std::string KeptBackSection(const ContestStatistics& s) {
  std::string html = "<section><h2>Contacts not scored</h2>";
  if (s.keptBack.empty()) return html + "<p>None: every contact read was scored.</p></section>";
  html += "<table><tr><th>Record</th><th>Contact</th><th>Why</th></tr>";
  for (const auto& [c, why] : s.keptBack) {
    const ContactMoment m{c.time, c.call, c.band, c.mode};
    html += "<tr>" + Cell("td", std::to_string(c.where.record)) +
            Cell("td", Shown(c.call) + ", " + Shown(MomentText(m))) + Cell("td", Shown(why)) +
            "</tr>";
  }
  return html + "</table></section>";
}

}  // namespace

std::string CabrilloHeaderOf(const std::string& cabrillo) {
  const std::size_t qso = cabrillo.find("\nQSO:");
  return qso == std::string::npos ? cabrillo : cabrillo.substr(0, qso + 1);
}

std::string ReportPage(const PageInput& in) {
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><meta name=\"viewport\" "
      "content=\"width=device-width\"><title>" +
      Shown(in.logName) + ": Championship of Moscow</title><style>" + kStyle +
      "</style></head><body>\n";
  html += SummarySection(in.summary);
  if (!in.otherContest.empty()) {
    html += "<p class=\"note\">The log names the contest " + Shown(in.otherContest) +
            "; it is scored by the rules of the Championship of Moscow.</p>";
  }
  html += ToursSection(in.statistics) + ScoreSection(in.statistics) +
          BandModeSection(in.statistics) + MultipliersSection(in.statistics) +
          KeptBackSection(in.statistics);
  html += "<section><h2>Cabrillo header</h2>";
  html += in.cabrilloHeader.empty()
              ? "<p>No Cabrillo file was written in this run.</p>"
              : "<pre>" + Shown(in.cabrilloHeader) + "</pre>";
  return html + "</section><p class=\"note\">Log: " + Shown(in.logName) +
         "</p>\n</body></html>\n";
}

}  // namespace rezov
