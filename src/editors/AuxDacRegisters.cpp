#include "editors/AuxDacRegisters.h"

namespace qv {

namespace {
std::uint8_t LowByte(std::int32_t value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}
}  // namespace

AuxDacImage PackAuxDac(const AuxDacValues& v) {
    AuxDacImage image;
    image.aux = {LowByte(v.Aux0), LowByte(v.Aux1), LowByte(v.Aux2), LowByte(v.Aux3),
                 LowByte(v.Aux4)};
    image.dac = LowByte(v.Dac8);
    return image;
}

AuxDacValues UnpackAuxDac(const AuxDacImage& image) {
    AuxDacValues v;
    v.Aux0 = image.aux[0];
    v.Aux1 = image.aux[1];
    v.Aux2 = image.aux[2];
    v.Aux3 = image.aux[3];
    v.Aux4 = image.aux[4];
    v.Dac8 = image.dac;
    return v;
}

}  // namespace qv
