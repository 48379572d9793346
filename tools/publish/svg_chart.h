// The page's two charts, drawn as inline SVG from our own numbers: no
// script and no font from elsewhere, so the page needs no network and
// prints as it shows.
#pragma once

#include <string>
#include <vector>

namespace rezov {

// One group of bars: its label and one value per series.
struct BarGroup {
  std::string label;
  std::vector<double> values;
};

// Bars side by side in each group, one colour per series, with a legend.
std::string GroupedBarChart(const std::string& title, const std::vector<std::string>& series,
                            const std::vector<BarGroup>& groups);

// A point of a line, with the label shown under it when not empty.
struct LinePoint {
  double x = 0;
  double y = 0;
  std::string label;
};

// A line through the points, from the first x to the last.
std::string LineChart(const std::string& title, const std::vector<LinePoint>& points);

}  // namespace rezov
