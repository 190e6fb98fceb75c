#pragma once

namespace pellaquin {

// Makes every file dialog the core asks for a non-native QFileDialog run through RunModal: the request's filters
// with the first selected, its default extension added to a typed name without one, its initial path offered,
// an existing file taken without a question; the chosen path comes back in the file name encoding.
void InstallQtFileDialogs();

} // namespace pellaquin
