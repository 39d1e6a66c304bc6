#include "DriverInput.h"

#include "core/analysis/AirProperties.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace {

const char *const kNames[] = {"Re", "Le", "Bl",  "Mms", "Cms", "Rms",
                              "Sd", "Fs", "Qms", "Qes", "R2",  "L2"};

std::string canonicalName(const std::string &typed)
{
    for (const char *name : kNames) {
        const std::string n = name;
        if (n.size() != typed.size())
            continue;
        bool same = true;
        for (std::size_t i = 0; i < n.size(); ++i)
            same = same && std::tolower(static_cast<unsigned char>(typed[i])) ==
                               std::tolower(static_cast<unsigned char>(n[i]));
        if (same)
            return n;
    }
    return {};
}

std::string joined(const std::vector<std::string> &names)
{
    std::string text;
    for (const std::string &n : names)
        text += (text.empty() ? "" : ", ") + n;
    return text;
}

} // namespace

double airStiffnessPa()
{
    const Air air = airAt(kDefaultAirTempC, kDefaultAirPressureHPa);
    return air.rho * air.c * air.c;
}

bool addDriverParams(const std::string &text, DriverInput &driver, std::string &error)
{
    std::stringstream items(text);
    std::string item;
    while (std::getline(items, item, ',')) {
        const auto eq = item.find('=');
        if (eq == std::string::npos) {
            error = "expected NAME=VALUE, got \"" + item + "\"";
            return false;
        }
        const std::string typed = item.substr(0, eq);
        const std::string name = canonicalName(typed);
        if (name.empty()) {
            error = "unknown parameter \"" + typed +
                    "\" (Re, Le, Fs, Qms, Qes, or Re, Le, Bl, Mms, Cms, Rms, Sd; R2, L2)";
            return false;
        }
        const std::string valueText = item.substr(eq + 1);
        char *end = nullptr;
        const double value = std::strtod(valueText.c_str(), &end);
        // A coil without inductance or eddy-current branch is a valid model; every other
        // value must be positive.
        const bool inRange = name == "Le" || name == "R2" || name == "L2" ? value >= 0 : value > 0;
        if (valueText.empty() || *end != '\0' || !inRange || !std::isfinite(value)) {
            error = "bad value for " + typed + ": \"" + valueText + "\"";
            return false;
        }
        driver.given[name] = value;
    }
    return true;
}

bool setVentedBox(const std::string &text, DriverInput &driver, std::string &error)
{
    std::stringstream items(text);
    std::vector<double> values;
    std::string item;
    while (std::getline(items, item, ',')) {
        char *end = nullptr;
        const double v = std::strtod(item.c_str(), &end);
        if (item.empty() || *end != '\0' || std::isnan(v)) {
            error = "--vented-box: \"" + item + "\" is not a number";
            return false;
        }
        values.push_back(v);
    }
    if (values.size() < 2 || values.size() > 3 || !(values[0] > 0) || !(values[1] > 0) ||
        !std::isfinite(values[0]) || !std::isfinite(values[1]) ||
        (values.size() == 3 && values[2] < 0)) {
        error = "--vented-box needs LITRES,FB_HZ[,QL]: litres and Hz above 0, QL 0 or more";
        return false;
    }
    driver.ventLitres = values[0];
    driver.ventFbHz = values[1];
    if (values.size() == 3)
        driver.ventQl = std::isinf(values[2]) ? 0 : values[2];
    return true;
}

bool resolveDriver(const DriverInput &driver, LoudspeakerParams &params, std::string &error)
{
    const auto &g = driver.given;
    auto has = [&](const char *name) { return g.count(name) != 0; };
    auto value = [&](const char *name, double fallback) {
        const auto it = g.find(name);
        return it == g.end() ? fallback : it->second;
    };
    params.re = value("Re", params.re);
    params.leMilliHenry = value("Le", params.leMilliHenry);
    params.r2 = value("R2", params.r2);
    params.l2MilliHenry = value("L2", params.l2MilliHenry);

    const bool physical = has("Bl") || has("Cms") || has("Rms");
    double mms = value("Mms", 0) * 1e-3; // kg
    double cms = 0, rms = 0, bl = 0;     // m/N, kg/s, T*m
    if (physical) {
        std::vector<std::string> mixed, missing;
        for (const char *n : {"Fs", "Qms", "Qes"})
            if (has(n))
                mixed.push_back(n);
        for (const char *n : {"Bl", "Mms", "Cms", "Rms"})
            if (!has(n))
                missing.push_back(n);
        if (!mixed.empty()) {
            error = "give a driver by Fs, Qms, Qes or by Bl, Mms, Cms, Rms, not both (" +
                    joined(mixed) + " with Bl, Cms or Rms)";
            return false;
        }
        if (!missing.empty()) {
            error =
                "a physical driver needs Bl, Mms, Cms and Rms (missing " + joined(missing) + ")";
            return false;
        }
        cms = value("Cms", 0) * 1e-3;
        rms = value("Rms", 0);
        bl = value("Bl", 0);
    } else {
        params.fs = value("Fs", params.fs);
        params.qms = value("Qms", params.qms);
        params.qes = value("Qes", params.qes);
        if (mms > 0) {
            const double ws = 2 * M_PI * params.fs;
            cms = 1 / (ws * ws * mms);
            rms = ws * mms / params.qms;
            bl = std::sqrt(ws * mms * params.re / params.qes);
        }
    }

    const bool vented = driver.ventLitres > 0;
    if (vented && driver.boxLitres > 0) {
        error = "give --box or --vented-box, not both";
        return false;
    }
    const bool massOrBox = driver.addedMassGrams > 0 || driver.boxLitres > 0 || vented;
    const char *option = driver.addedMassGrams > 0 ? "--added-mass"
                         : vented                  ? "--vented-box"
                                                   : "--box";
    if (massOrBox && !(mms > 0)) {
        error = std::string(option) + " needs the moving mass: give Mms (g) in --driver";
        return false;
    }
    if ((driver.boxLitres > 0 || vented) && !has("Sd")) {
        error = std::string(vented ? "--vented-box" : "--box") +
                " needs the cone area: give Sd (cm^2) in --driver";
        return false;
    }
    if (!physical && !massOrBox)
        return true; // as typed, to the last digit

    mms += driver.addedMassGrams * 1e-3;
    if (driver.boxLitres > 0) {
        // The box's air is a second spring beside the suspension: compliances in series.
        const double sd = value("Sd", 0) * 1e-4;
        const double cmb = driver.boxLitres * 1e-3 / (airStiffnessPa() * sd * sd);
        cms = cms * cmb / (cms + cmb);
    }
    if (vented) {
        // The box's air, the port's air and the leakage, in parallel behind the cone:
        // Map = 1 / (wb^2 Cab), Ral = QL / (wb Cab), each through Sd^2 to the cone.
        const double sd = value("Sd", 0) * 1e-4;
        const double wb = 2 * M_PI * driver.ventFbHz;
        params.ventCmb = driver.ventLitres * 1e-3 / (airStiffnessPa() * sd * sd);
        params.ventMmp = 1 / (wb * wb * params.ventCmb);
        params.ventRml = driver.ventQl > 0 ? driver.ventQl / (wb * params.ventCmb) : 0;
        params.ventRms = rms;
    }
    const double ws = 1 / std::sqrt(mms * cms);
    params.fs = ws / (2 * M_PI);
    params.qms = ws * mms / rms;
    params.qes = ws * mms * params.re / (bl * bl);
    return true;
}
