#include "tools/publish/svg_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "tools/publish/html_text.h"

namespace rezov {
namespace {

constexpr double kWidth = 760;
constexpr double kHeight = 260;
constexpr double kLeft = 48;
constexpr double kRight = 12;
constexpr double kTop = 28;
constexpr double kBottom = 42;
const char* const kColours[] = {"#1f5fa8", "#c8462c", "#3a8f3a", "#8a5bb5"};

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

std::string Whole(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.0f", value);
  return text;
}

// A round step for about five grid lines up to `top`.
double Step(double top) {
  if (top <= 0) return 1;
  const double raw = top / 5;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double m : {1.0, 2.0, 5.0, 10.0}) {
    if (raw <= m * power) return m * power;
  }
  return 10 * power;
}

double PlotHeight() { return kHeight - kTop - kBottom; }

std::string Open(const std::string& title) {
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + Number(kWidth) + " " +
         Number(kHeight) + "\" role=\"img\" aria-label=\"" + HtmlEscaped(title) +
         "\" font-family=\"sans-serif\" font-size=\"11\">"
         "<text x=\"" + Number(kLeft) + "\" y=\"16\" font-size=\"13\" font-weight=\"bold\">" +
         HtmlEscaped(title) + "</text>";
}

// Horizontal grid lines with their values, from 0 to the top of the scale;
// returns the top.
double Grid(std::string& svg, double highest) {
  const double step = Step(highest);
  const double top = std::max(step, std::ceil(highest / step) * step);
  for (double v = 0; v <= top + step / 2; v += step) {
    const double y = kTop + PlotHeight() * (1 - v / top);
    svg += "<line x1=\"" + Number(kLeft) + "\" x2=\"" + Number(kWidth - kRight) + "\" y1=\"" +
           Number(y) + "\" y2=\"" + Number(y) + "\" stroke=\"#ccc\"/>";
    svg += "<text x=\"" + Number(kLeft - 6) + "\" y=\"" + Number(y + 4) +
           "\" text-anchor=\"end\">" + Whole(v) + "</text>";
  }
  return top;
}

std::string Label(double x, const std::string& text) {
  return "<text x=\"" + Number(x) + "\" y=\"" + Number(kHeight - kBottom + 14) +
         "\" text-anchor=\"middle\">" + HtmlEscaped(text) + "</text>";
}

}  // namespace

std::string GroupedBarChart(const std::string& title, const std::vector<std::string>& series,
                            const std::vector<BarGroup>& groups) {
  std::string svg = Open(title);
  double highest = 0;
  for (const BarGroup& g : groups) {
    for (const double v : g.values) highest = std::max(highest, v);
  }
  const double top = Grid(svg, highest);
  const double slot = (kWidth - kLeft - kRight) / std::max<std::size_t>(groups.size(), 1);
  const double bar = slot * 0.8 / std::max<std::size_t>(series.size(), 1);
  // Labels every few groups when there are many.
  const std::size_t every = std::max<std::size_t>(1, groups.size() / 12 + 1);
  for (std::size_t g = 0; g < groups.size(); ++g) {
    const double x0 = kLeft + slot * static_cast<double>(g) + slot * 0.1;
    for (std::size_t s = 0; s < groups[g].values.size() && s < series.size(); ++s) {
      const double h = PlotHeight() * groups[g].values[s] / top;
      svg += "<rect x=\"" + Number(x0 + bar * static_cast<double>(s)) + "\" y=\"" +
             Number(kTop + PlotHeight() - h) + "\" width=\"" + Number(bar) + "\" height=\"" +
             Number(h) + "\" fill=\"" + kColours[s % 4] + "\"><title>" +
             HtmlEscaped(groups[g].label + " " + series[s] + ": ") +
             Whole(groups[g].values[s]) +
             "</title></rect>";
    }
    if (g % every == 0) svg += Label(x0 + slot * 0.4, groups[g].label);
  }
  for (std::size_t s = 0; s < series.size(); ++s) {
    const double x = kWidth - kRight - 90.0 * static_cast<double>(series.size() - s);
    svg += "<rect x=\"" + Number(x) + "\" y=\"8\" width=\"10\" height=\"10\" fill=\"" +
           kColours[s % 4] + "\"/><text x=\"" + Number(x + 14) + "\" y=\"17\">" +
           HtmlEscaped(series[s]) + "</text>";
  }
  return svg + "</svg>";
}

std::string LineChart(const std::string& title, const std::vector<LinePoint>& points) {
  std::string svg = Open(title);
  double highest = 0;
  for (const LinePoint& p : points) highest = std::max(highest, p.y);
  const double top = Grid(svg, highest);
  if (points.empty()) return svg + "</svg>";
  const double x0 = points.front().x;
  const double span = std::max(points.back().x - x0, 1.0);
  const auto xOf = [&](double x) { return kLeft + (kWidth - kLeft - kRight) * (x - x0) / span; };
  std::string path = "M" + Number(xOf(x0)) + " " + Number(kTop + PlotHeight());
  for (const LinePoint& p : points) {
    path += " L" + Number(xOf(p.x)) + " " + Number(kTop + PlotHeight() * (1 - p.y / top));
    if (!p.label.empty()) svg += Label(xOf(p.x), p.label);
  }
  return svg + "<path d=\"" + path + "\" fill=\"none\" stroke=\"" + kColours[0] +
         "\" stroke-width=\"2\"/></svg>";
}

}  // namespace rezov
