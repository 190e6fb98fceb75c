#include "search/WizardChoices.h"

#include "records/ByteText.h"

#include <charconv>
#include <functional>
#include <map>

namespace pellaquin {

namespace {

using Choose = std::function<bool(WizardState&, std::string_view value)>;

// A whole number from `low` to `high`, or nothing.
std::optional<int> Number(std::string_view text, int low, int high) {
    int number = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number < low || number > high) {
        return std::nullopt;
    }
    return number;
}

Choose Tick(bool WizardState::*box) {
    return [box](WizardState& state, std::string_view) {
        state.*box = true;
        return true;
    };
}

Choose Buttons(bool orLess) {
    return [orLess](WizardState& state, std::string_view value) {
        std::optional<int> buttons = Number(value, 0, 10);
        state.buttonsIndex = buttons.value_or(-1) + 1;
        state.orLess = orLess;
        return buttons.has_value();
    };
}

Choose Category(bool categoryNot) {
    return [categoryNot](WizardState& state, std::string_view value) {
        state.categoryIndex = 1;
        state.categoryText = value;
        state.categoryNot = categoryNot;
        return !value.empty();
    };
}

Choose Working(WorkingChoice working) {
    return [working](WizardState& state, std::string_view) {
        state.working = working;
        return true;
    };
}

// Names taking no value end in nothing; the others end in the sign before their value.
const std::map<std::string, Choose, std::less<>>& Choices() {
    static const std::map<std::string, Choose, std::less<>> choices = {
        {"cocktail", Tick(&WizardState::cocktail)},
        {"upright",
         [](WizardState& state, std::string_view) {
             state.cocktail = false;
             return true;
         }},
        {"horizontal", Tick(&WizardState::horizontalOnly)},
        {"vertical", Tick(&WizardState::verticalOnly)},
        {"buttons<=", Buttons(true)},
        {"buttons=", Buttons(false)},
        {"joy2", Tick(&WizardState::joy2way)},
        {"joy4", Tick(&WizardState::joy4way)},
        {"joy8", Tick(&WizardState::joy8way)},
        {"dial", Tick(&WizardState::dial)},
        {"trackball", Tick(&WizardState::trackball)},
        {"pedal", Tick(&WizardState::pedal)},
        {"no-clones", Tick(&WizardState::noClones)},
        {"no-samples", Tick(&WizardState::noSamples)},
        {"playable", Tick(&WizardState::playable)},
        {"category=", Category(false)},
        {"not-category=", Category(true)},
        {"working", Working(WorkingChoice::GOOD)},
        {"working-or-imperfect", Working(WorkingChoice::GOOD_OR_IMPERFECT)},
        {"no-mechanical", Tick(&WizardState::noMechanical)},
        {"no-bios-devices", Tick(&WizardState::noBiosOrDevices)},
        {"has-screen", Tick(&WizardState::hasScreen)},
        {"no-chd", Tick(&WizardState::noChd)},
        {"no-softlist", Tick(&WizardState::noSoftwareList)},
        {"players>=",
         [](WizardState& state, std::string_view value) {
             state.playersAtLeast = Number(value, 1, 8).value_or(0);
             return state.playersAtLeast > 0;
         }},
        {"simultaneous", Tick(&WizardState::simultaneous)},
        {"best>=",
         [](WizardState& state, std::string_view value) {
             std::optional<int> start = Number(value, 0, 90);
             state.bestAtLeast = value;
             return start && *start % 10 == 0;
         }},
        {"leave-out=",
         [](WizardState& state, std::string_view value) {
             state.leftOutCategories.emplace_back(value);
             return !value.empty();
         }},
    };
    return choices;
}

// The name of `item` as the table holds it: up to and with its sign ("=", "<=" or ">="), for those that
// take a value.
std::string_view NameOf(std::string_view item) {
    std::size_t sign = item.find_first_of("<>=");
    if (sign == std::string_view::npos) {
        return item;
    }
    bool twoBytes = item[sign] != '=' && sign + 1 < item.size() && item[sign + 1] == '=';
    return item.substr(0, sign + (twoBytes ? 2 : 1));
}

} // namespace

std::optional<WizardState> ParseWizardChoices(std::string_view list, std::string& unknown) {
    WizardState state;
    for (std::string_view item : SplitList(list, ',')) {
        std::string_view name = NameOf(item);
        auto choice = Choices().find(name);
        if (choice == Choices().end() || !choice->second(state, item.substr(name.size()))) {
            unknown = item;
            return std::nullopt;
        }
    }
    return state;
}

} // namespace pellaquin
