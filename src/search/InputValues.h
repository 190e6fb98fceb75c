#pragma once

#include <set>
#include <string>
#include <vector>

namespace pellaquin {

// What a merged file holds beside the listing's own values, for the choices the window offers on it:
// the categories its games are in, and the elements of one value each that the merge added (veradded,
// nplayers, and one per folder ini file such as bestgames).
struct InputValues {
    std::set<std::string> categories;
    std::set<std::string> addedElements;

    bool Holds(const std::string& element) const { return addedElements.contains(element); }
};

// Reads the file at `path` once, line by line: every line that is one element holding text, such as
// "<category>Maze / Collect</category>". The listing's own such elements (description, year,
// manufacturer) are not counted as added. Empty values for a file that cannot be read.
InputValues ReadInputValues(const std::string& path);

// What a user may leave out of the file's categories: each category and each first part of one (the
// text before " / "), without the "* Mature *" mark, in order; and that mark itself first when a
// category carries it.
std::vector<std::string> LeaveOutChoices(const std::set<std::string>& categories);

} // namespace pellaquin
