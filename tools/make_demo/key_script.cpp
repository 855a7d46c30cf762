#include "key_script.h"

#include <cstdlib>
#include <sstream>

namespace {

constexpr long kMaxHoldSteps = 120L * 3600;  // an hour

const struct {
    const char* name;
    StepKey bit;
} kKeyNames[] = {
    {"left", kStepLeft}, {"right", kStepRight}, {"up", kStepUp},        {"down", kStepDown},
    {"x", kStepJump},    {"z", kStepAim},       {"u", kStepCamera},     {"y", kStepReset},
    {"w", kStepForward}, {"s", kStepBack},      {"a", kStepStrafeLeft}, {"d", kStepStrafeRight},
};

bool whole(const std::string& word, long low, long high, long* out) {
    if (word.empty() || word.find_first_not_of("0123456789") != std::string::npos ||
        word.size() > 10) {
        return false;
    }
    *out = std::strtol(word.c_str(), nullptr, 10);
    return *out >= low && *out <= high;
}

}  // namespace

bool parse_key_script(const std::string& text, KeyScript* script, std::string* error) {
    *script = KeyScript{};
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        const std::string where = "line " + std::to_string(number) + ": ";
        std::istringstream words(line.substr(0, line.find('#')));
        std::string first;
        if (!(words >> first)) {
            continue;
        }
        std::string word;
        long value = 0;
        if (first == "seed" || first == "steps-per-frame") {
            const bool seed = first == "seed";
            if (!(words >> word) || !whole(word, seed ? 0 : 1, seed ? 4294967295L : 1000, &value) ||
                (words >> word)) {
                *error = where + "'" + first + "' needs one whole number";
                return false;
            }
            if (seed) {
                script->seed = static_cast<unsigned int>(value);
            } else {
                script->steps_per_frame = static_cast<int>(value);
            }
            continue;
        }
        if (!whole(first, 1, kMaxHoldSteps, &value)) {
            *error =
                where + "expected a step count, 'seed' or 'steps-per-frame', not '" + first + "'";
            return false;
        }
        KeyHold hold{number, static_cast<int>(value), 0};
        while (words >> word) {
            bool known = word == "-";
            for (const auto& k : kKeyNames) {
                if (word == k.name) {
                    hold.keys |= k.bit;
                    known = true;
                }
            }
            if (!known) {
                *error = where + "unknown key '" + word + "'";
                return false;
            }
        }
        script->holds.push_back(hold);
    }
    if (script->holds.empty()) {
        *error = "no key holds";
        return false;
    }
    return true;
}

Demo demo_from_script(const KeyScript& script) {
    Demo demo;
    demo.version = 2;  // the jungle's, which names no stage: the tour's bytes stay as they are
    demo.seed = script.seed;
    for (const KeyHold& hold : script.holds) {
        for (int i = 0; i < hold.steps; ++i) {
            demo.steps.push_back(StepInput{hold.keys, 0, 0});
        }
    }
    for (std::size_t left = demo.steps.size(); left > 0;) {
        const std::size_t n = left < static_cast<std::size_t>(script.steps_per_frame)
                                  ? left
                                  : static_cast<std::size_t>(script.steps_per_frame);
        demo.frame_steps.push_back(static_cast<std::uint16_t>(n));
        left -= n;
    }
    return demo;
}
