#pragma once
// What a bitmap operation raised, as "class: message", for the tables of
// failure cases.
#include "core/report/DibErrors.h"

#include <string>

template <class Operation>
std::string DibFailure(Operation operation)
{
    try {
        operation();
    } catch (const EDibInvalidDIBFile& e) {
        return std::string("EDibInvalidDIBFile: ") + e.what();
    } catch (const EDibInvalidDIBPara& e) {
        return std::string("EDibInvalidDIBPara: ") + e.what();
    } catch (const EDibInvalidDIB& e) {
        return std::string("EDibInvalidDIB: ") + e.what();
    } catch (const EDibBadDIBType& e) {
        return std::string("EDibBadDIBType: ") + e.what();
    } catch (const EDibError& e) {
        return std::string("EDibError: ") + e.what();
    }
    return "nothing raised";
}
