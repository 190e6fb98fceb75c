#include "output/ExportFields.h"

#include <algorithm>

namespace pellaquin {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view LeadingDigits(std::string_view text) {
    return text.substr(0, static_cast<std::size_t>(std::find_if_not(text.begin(), text.end(), IsDigit) - text.begin()));
}

// An old listing's joystick name, "[v][double]joy<N>way".
struct OldJoystick {
    bool vertical = false;
    bool twin = false;
    std::string_view ways;
};

bool ReadOldJoystick(std::string_view type, OldJoystick& joystick) {
    joystick.vertical = type.starts_with('v');
    type.remove_prefix(joystick.vertical ? 1 : 0);
    joystick.twin = type.starts_with("double");
    type.remove_prefix(joystick.twin ? 6 : 0);
    if (!type.starts_with("joy") || !type.ends_with("way")) {
        return false;
    }
    joystick.ways = type.substr(3, type.size() - 6);
    return !joystick.ways.empty() && LeadingDigits(joystick.ways).size() == joystick.ways.size();
}

void AppendControlName(std::string& out, const ControlEntry& control) {
    OldJoystick old;
    if (control.type == "joy") {
        out.append("joystick");
        if (!control.ways.empty()) {
            out.append(" (").append(control.ways).append("-way)");
        }
    } else if (control.type == "stick") {
        out.append("joystick (analog)");
    } else if (control.type == "doublejoy") {
        out.append("double joystick");
    } else if (ReadOldJoystick(control.type, old)) {
        out.append(old.twin ? "double joystick (" : "joystick (");
        out.append(old.vertical ? "vertical" : "").append(old.ways).append("-way)");
    } else {
        out.append(control.type);
    }
}

} // namespace

bool FrontEndStarts(const RecordStructure& game) {
    return !game.name.empty() && !game.isBios && !game.isDevice && game.runnable;
}

std::string_view Title(const RecordStructure& game) {
    return game.description.find_first_not_of(" \t\r\n") == std::string_view::npos ? game.name : game.description;
}

std::string_view KnownManufacturer(const RecordStructure& game) {
    return game.manufacturer == "<unknown>" ? std::string_view() : game.manufacturer;
}

std::string_view PlayerCount(const RecordStructure& game) {
    if (!game.inputPlayers.empty()) {
        return game.inputPlayers;
    }
    if (!game.controlsPlayers.empty()) {
        return game.controlsPlayers;
    }
    return LeadingDigits(game.Element("nplayers"));
}

std::string_view KnownPlayerCount(const RecordStructure& game) {
    std::string_view count = PlayerCount(game);
    return count == "0" ? std::string_view() : count;
}

std::string_view PlayersText(const RecordStructure& game) {
    std::string_view nplayers = game.Element("nplayers");
    return nplayers.empty() ? PlayerCount(game) : nplayers;
}

std::string_view ButtonCount(const RecordStructure& game) {
    if (!game.inputButtons.empty()) {
        return game.inputButtons;
    }
    for (const ControlEntry& control : game.controls) {
        if (!control.buttons.empty()) {
            return control.buttons;
        }
    }
    return game.controlsButtons;
}

std::string_view JoystickWays(const RecordStructure& game) {
    for (const ControlEntry& control : game.controls) {
        OldJoystick old;
        if (!control.ways.empty()) {
            return control.ways;
        }
        if (ReadOldJoystick(control.type, old)) {
            return old.ways;
        }
    }
    return {};
}

void AppendControlsText(std::string& out, const RecordStructure& game) {
    for (std::size_t i = 0; i < game.controls.size(); ++i) {
        if (i > 0) {
            out.push_back(',');
        }
        AppendControlName(out, game.controls[i]);
    }
}

std::string_view FourDigitYear(const RecordStructure& game) {
    return game.year.size() == 4 && LeadingDigits(game.year).size() == 4 ? game.year : std::string_view();
}

} // namespace pellaquin
