#include "search/Extraction.h"

#include "records/TagVocabulary.h"

namespace pellaquin {

namespace {

constexpr auto NOT_FOUND = std::string_view::npos;

} // namespace

std::string_view ExtractRomName(std::string_view record, InputFormat format, RecordElement element) {
    std::string_view startTag = TagVocabulary::GameStartTag(format, element);
    std::size_t tag = startTag.empty() ? NOT_FOUND : record.find(startTag);
    std::size_t opening = tag == NOT_FOUND ? NOT_FOUND : record.find('"', tag);
    if (opening == NOT_FOUND) {
        std::size_t firstQuote = record.find('"');
        return firstQuote == NOT_FOUND ? std::string_view() : record.substr(0, firstQuote);
    }
    std::size_t closing = record.find('"', opening + 1);
    if (closing == NOT_FOUND) {
        return {};
    }
    return record.substr(opening + 1, closing - opening - 1);
}

std::string_view ExtractDescription(std::string_view record, InputFormat format) {
    std::string_view descriptionTag = TagVocabulary::DescriptionTag(format);
    std::size_t tag = descriptionTag.empty() ? NOT_FOUND : record.find(descriptionTag);
    if (tag == NOT_FOUND) {
        return {};
    }
    std::size_t start = tag + descriptionTag.size();
    char end = '<';
    if (format == FORMAT_CONTROLS) {
        start += 1; // the opening quote
        end = '"';
    }
    if (start > record.size()) {
        return {};
    }
    std::size_t stop = record.find(end, start);
    if (stop == NOT_FOUND) {
        return {};
    }
    return record.substr(start, stop - start);
}

} // namespace pellaquin
