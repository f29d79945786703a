#pragma once
// Routes and components the tests build, with the slots in their usual places.
#include "route/route_list.h"

#include <string>
#include <vector>

namespace lumor {

/// A route component with the given type and values in the usual slots.
inline std::unique_ptr<ComponentRecord> component(const std::string& type, const std::string& label,
                                                  const std::string& attenuation = "-", const std::string& gain = "-",
                                                  const std::string& rms = "-", const std::string& pmd = "-",
                                                  const std::string& cd = "-", const std::string& length = "-",
                                                  const std::string& sensitivity = "-") {
    return makeRecord({type, label, "1550", attenuation, gain, rms, pmd, cd, length, sensitivity, ""});
}

/// Everything the route shows and saves: its file's bytes, then every cell of its grid, column
/// by column. Two equal snapshots are the same route to the user and to the file.
inline std::vector<std::string> routeSnapshot(const RouteList& route) {
    std::vector<std::string> cells{route.imageBytes()};
    for (int c = 0; c < route.colCount(); ++c)
        for (int r = 0; r < route.rowCount(); ++r) cells.push_back(route.cell(c, r));
    return cells;
}

namespace testroutes {

// Slots: Type, ComponentSlot::Label, ComponentSlot::Wavelength, ComponentSlot::Attenuation, ComponentSlot::Gain,
// ComponentSlot::SourceRms, ComponentSlot::Pmd, ComponentSlot::Cd, ComponentSlot::Length, ComponentSlot::Sensitivity,
// Note.
inline std::unique_ptr<ComponentRecord> source(const std::string& gain, const std::string& rms) {
    return makeRecord({"Zdroj", "LD", "1550", "-", gain, rms, "-", "-", "-", "-", ""});
}
inline std::unique_ptr<ComponentRecord> fibre(const std::string& length, const std::string& att, const std::string& cd,
                                              const std::string& pmd) {
    return makeRecord({"Vlákno", "SMF", "1550", att, "-", "-", pmd, cd, length, "-", ""});
}
inline std::unique_ptr<ComponentRecord> connector(const std::string& att) {
    return makeRecord({"Konektor", "FC", "1550", att, "-", "-", "-", "-", "-", "-", ""});
}
inline std::unique_ptr<ComponentRecord> amplifier(const std::string& gain) {
    return makeRecord({"Zesilovač", "EDFA", "1550", "-", gain, "-", "-", "-", "-", "-", ""});
}
inline std::unique_ptr<ComponentRecord> detector(const std::string& sensitivity) {
    return makeRecord({"Detektor", "PIN", "1550", "-", "-", "-", "-", "-", "-", sensitivity, ""});
}

/// Source Gain 3, SourceRms 2; fibre 10 km, 2,5 dB, Cd 17, Pmd 0,1; connector 0,5 dB;
/// detector −30 dB.
inline void workedExample(RouteList& route) {
    route.AppendComponent(source("3", "2"));
    route.AppendComponent(fibre("10", "2,5", "17", "0,1"));
    route.AppendComponent(connector("0,5"));
    route.AppendComponent(detector("-30"));
}

}  // namespace testroutes

}  // namespace lumor
