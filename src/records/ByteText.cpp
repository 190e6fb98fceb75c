#include "records/ByteText.h"

#include <algorithm>

namespace pellaquin {

bool IsWhiteSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Both are plain loops the compiler turns into vector instructions: whole records go through them.
void LowerAscii(std::string& text) {
    for (char& c : text) {
        c = LowerAsciiByte(c);
    }
}

void LowerAsciiCopy(std::string_view text, std::string& lowered) {
    lowered.resize(text.size());
    const char* __restrict in = text.data();
    char* __restrict out = lowered.data();
    for (std::size_t i = 0; i < text.size(); ++i) {
        out[i] = LowerAsciiByte(in[i]);
    }
}

std::string LowerAsciiCopy(std::string_view text) {
    std::string lowered;
    LowerAsciiCopy(text, lowered);
    return lowered;
}

void RemoveChar(std::string& text, char c) {
    text.erase(std::remove(text.begin(), text.end(), c), text.end());
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    if (from.empty()) {
        return;
    }
    std::size_t found = text.find(from);
    if (found == std::string::npos) {
        return;
    }
    std::string result;
    result.reserve(text.size());
    std::size_t copied = 0;
    while (found != std::string::npos) {
        result.append(text, copied, found - copied);
        result.append(to);
        copied = found + from.size();
        found = text.find(from, copied);
    }
    result.append(text, copied, std::string::npos);
    text = std::move(result);
}

void ReplaceChar(std::string& text, char from, char to) {
    std::replace(text.begin(), text.end(), from, to);
}

void StripLeading(std::string& text, std::string_view set) {
    std::size_t first = text.find_first_not_of(set);
    text.erase(0, first == std::string::npos ? text.size() : first);
}

void StripTrailing(std::string& text, std::string_view set) {
    std::size_t last = text.find_last_not_of(set);
    text.erase(last == std::string::npos ? 0 : last + 1);
}

std::string_view TrimWhiteSpace(std::string_view text) {
    while (!text.empty() && IsWhiteSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsWhiteSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

void TrimWhiteSpace(std::string& text) {
    std::string_view trimmed = TrimWhiteSpace(std::string_view(text));
    std::size_t front = static_cast<std::size_t>(trimmed.data() - text.data());
    text.erase(front + trimmed.size());
    text.erase(0, front);
}

std::vector<std::string_view> SplitList(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    while (!text.empty()) {
        std::size_t end = text.find(separator);
        if (end != 0) {
            pieces.push_back(text.substr(0, end));
        }
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return pieces;
}

} // namespace pellaquin
