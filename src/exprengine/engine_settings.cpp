#include "exprengine/engine_settings.h"

namespace orvex::engine {

const formatting::TFormatSettings& EngineFormatSettings() {
    static const formatting::TFormatSettings settings = [] {
        formatting::TFormatSettings engine = formatting::SystemFormatSettings();
        engine.DecimalSeparator = '.';
        engine.DateSeparator = '-';
        engine.TimeSeparator = ':';
        engine.ShortDateFormat = "yyyy-mm-dd";
        engine.LongTimeFormat = "hh:nn:ss";
        return engine;
    }();
    return settings;
}

} // namespace orvex::engine
