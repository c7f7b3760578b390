// The routine of each mnemonic: it picks the addressing mode by opcode. An
// opcode that does not belong to the mnemonic is listed as undefined, so a
// routine called on its own still writes a line and moves PC.

#include "debugger/addressing_modes.h"
#include "debugger/disassembler.h"

using namespace listing;

namespace {

// Mnemonics with a single opcode: that one is listed in its mode.
void ServeOnly(char* str, unsigned char served, void (*write)(char*, const char*),
               const char* mnemonic) {
  if (opcode == served) {
    write(str, mnemonic);
  } else {
    WriteUndefined(str);
  }
}

}  // namespace

void BRKdisplay(char* str) {
  if (opcode == 0x00) {
    WriteBreak(str);
  } else {
    WriteUndefined(str);
  }
}

void UNDEFdisplay(char* str) {
  WriteUndefined(str);
}

void ADCdisplay(char* str) {
  switch (opcode) {
    case 0x69:
      return WriteImmediate(str, "ADC");
    case 0x65:
      return WriteZeroPage(str, "ADC");
    case 0x75:
      return WriteZeroPageX(str, "ADC");
    case 0x6D:
      return WriteAbsolute(str, "ADC");
    case 0x7D:
      return WriteAbsoluteX(str, "ADC");
    case 0x79:
      return WriteAbsoluteY(str, "ADC");
    case 0x61:
      return WriteIndirectX(str, "ADC");
    case 0x71:
      return WriteIndirectY(str, "ADC");
    default:
      return WriteUndefined(str);
  }
}

void ANDdisplay(char* str) {
  switch (opcode) {
    case 0x29:
      return WriteImmediate(str, "AND");
    case 0x25:
      return WriteZeroPage(str, "AND");
    case 0x35:
      return WriteZeroPageX(str, "AND");
    case 0x2D:
      return WriteAbsolute(str, "AND");
    case 0x3D:
      return WriteAbsoluteXBare(str, "AND");
    case 0x39:
      return WriteAbsoluteYBare(str, "AND");
    case 0x21:
      return WriteIndirectX(str, "AND");
    case 0x31:
      return WriteIndirectY(str, "AND");
    default:
      return WriteUndefined(str);
  }
}

void ASLdisplay(char* str) {
  switch (opcode) {
    case 0x0A:
      return WriteAccumulator(str, "ASL");
    case 0x06:
      return WriteZeroPage(str, "ASL");
    case 0x16:
      return WriteZeroPageX(str, "ASL");
    case 0x0E:
      return WriteAbsolute(str, "ASL");
    case 0x1E:
      return WriteAbsoluteXBare(str, "ASL");
    default:
      return WriteUndefined(str);
  }
}

void BCCdisplay(char* str) {
  ServeOnly(str, 0x90, WriteRelative, "BCC");
}

void BCSdisplay(char* str) {
  ServeOnly(str, 0xB0, WriteRelative, "BCS");
}

void BEQdisplay(char* str) {
  ServeOnly(str, 0xF0, WriteRelative, "BEQ");
}

void BITdisplay(char* str) {
  switch (opcode) {
    case 0x24:
      return WriteZeroPage(str, "BIT");
    case 0x2C:
      return WriteAbsolute(str, "BIT");
    default:
      return WriteUndefined(str);
  }
}

void BMIdisplay(char* str) {
  ServeOnly(str, 0x30, WriteRelative, "BMI");
}

void BNEdisplay(char* str) {
  ServeOnly(str, 0xD0, WriteRelative, "BNE");
}

void BPLdisplay(char* str) {
  ServeOnly(str, 0x10, WriteRelative, "BPL");
}

void BVCdisplay(char* str) {
  ServeOnly(str, 0x50, WriteRelative, "BVC");
}

void BVSdisplay(char* str) {
  ServeOnly(str, 0x70, WriteRelative, "BVS");
}

void CLCdisplay(char* str) {
  ServeOnly(str, 0x18, WriteImplied, "CLC");
}

void CLDdisplay(char* str) {
  ServeOnly(str, 0xD8, WriteImplied, "CLD");
}

void CLIdisplay(char* str) {
  ServeOnly(str, 0x58, WriteImplied, "CLI");
}

void CLVdisplay(char* str) {
  ServeOnly(str, 0xB8, WriteImplied, "CLV");
}

void CMPdisplay(char* str) {
  switch (opcode) {
    case 0xC9:
      return WriteImmediate(str, "CMP");
    case 0xC5:
      return WriteZeroPage(str, "CMP");
    case 0xD5:
      return WriteZeroPageX(str, "CMP");
    case 0xCD:
      return WriteAbsolute(str, "CMP");
    case 0xDD:
      return WriteAbsoluteX(str, "CMP");
    case 0xD9:
      return WriteAbsoluteY(str, "CMP");
    case 0xC1:
      return WriteIndirectX(str, "CMP");
    case 0xD1:
      return WriteIndirectY(str, "CMP");
    default:
      return WriteUndefined(str);
  }
}

void CPXdisplay(char* str) {
  switch (opcode) {
    case 0xE0:
      return WriteImmediate(str, "CPX");
    case 0xE4:
      return WriteZeroPage(str, "CPX");
    case 0xEC:
      return WriteAbsolute(str, "CPX");
    default:
      return WriteUndefined(str);
  }
}

void CPYdisplay(char* str) {
  switch (opcode) {
    case 0xC0:
      return WriteImmediate(str, "CPY");
    case 0xC4:
      return WriteZeroPage(str, "CPY");
    case 0xCC:
      return WriteAbsolute(str, "CPY");
    default:
      return WriteUndefined(str);
  }
}

void DECdisplay(char* str) {
  switch (opcode) {
    case 0xC6:
      return WriteZeroPage(str, "DEC");
    case 0xD6:
      return WriteZeroPageX(str, "DEC");
    case 0xCE:
      return WriteAbsolute(str, "DEC");
    case 0xDE:
      return WriteAbsoluteX(str, "DEC");
    default:
      return WriteUndefined(str);
  }
}

void DEXdisplay(char* str) {
  ServeOnly(str, 0xCA, WriteImplied, "DEX");
}

void DEYdisplay(char* str) {
  ServeOnly(str, 0x88, WriteImplied, "DEY");
}

void EORdisplay(char* str) {
  switch (opcode) {
    case 0x49:
      return WriteImmediate(str, "EOR");
    case 0x45:
      return WriteZeroPage(str, "EOR");
    case 0x55:
      return WriteZeroPageX(str, "EOR");
    case 0x4D:
      return WriteAbsolute(str, "EOR");
    case 0x5D:
      return WriteAbsoluteX(str, "EOR");
    case 0x59:
      return WriteAbsoluteY(str, "EOR");
    case 0x41:
      return WriteIndirectX(str, "EOR");
    case 0x51:
      return WriteIndirectY(str, "EOR");
    default:
      return WriteUndefined(str);
  }
}

void INCdisplay(char* str) {
  switch (opcode) {
    case 0xE6:
      return WriteZeroPage(str, "INC");
    case 0xF6:
      return WriteZeroPageX(str, "INC");
    case 0xEE:
      return WriteAbsolute(str, "INC");
    case 0xFE:
      return WriteAbsoluteX(str, "INC");
    default:
      return WriteUndefined(str);
  }
}

void INXdisplay(char* str) {
  ServeOnly(str, 0xE8, WriteImplied, "INX");
}

void INYdisplay(char* str) {
  ServeOnly(str, 0xC8, WriteImplied, "INY");
}

void JMPdisplay(char* str) {
  switch (opcode) {
    case 0x4C:
      return WriteAbsolute(str, "JMP");
    case 0x6C:
      return WriteIndirect(str, "JMP");
    default:
      return WriteUndefined(str);
  }
}

void JSRdisplay(char* str) {
  ServeOnly(str, 0x20, WriteAbsolute, "JSR");
}

void LDAdisplay(char* str) {
  switch (opcode) {
    case 0xA9:
      return WriteImmediate(str, "LDA");
    case 0xA5:
      return WriteZeroPage(str, "LDA");
    case 0xB5:
      return WriteZeroPageX(str, "LDA");
    case 0xAD:
      return WriteAbsolute(str, "LDA");
    case 0xBD:
      return WriteAbsoluteX(str, "LDA");
    case 0xB9:
      return WriteAbsoluteY(str, "LDA");
    case 0xA1:
      return WriteIndirectX(str, "LDA");
    case 0xB1:
      return WriteIndirectY(str, "LDA");
    default:
      return WriteUndefined(str);
  }
}

void LDXdisplay(char* str) {
  switch (opcode) {
    case 0xA2:
      return WriteImmediate(str, "LDX");
    case 0xA6:
      return WriteZeroPage(str, "LDX");
    case 0xB6:
      return WriteZeroPageY(str, "LDX");
    case 0xAE:
      return WriteAbsolute(str, "LDX");
    case 0xBE:
      return WriteAbsoluteY(str, "LDX");
    default:
      return WriteUndefined(str);
  }
}

void LDYdisplay(char* str) {
  switch (opcode) {
    case 0xA0:
      return WriteImmediate(str, "LDY");
    case 0xA4:
      return WriteZeroPage(str, "LDY");
    case 0xB4:
      return WriteZeroPageX(str, "LDY");
    case 0xAC:
      return WriteAbsolute(str, "LDY");
    case 0xBC:
      return WriteAbsoluteX(str, "LDY");
    default:
      return WriteUndefined(str);
  }
}

void LSRdisplay(char* str) {
  switch (opcode) {
    case 0x4A:
      return WriteAccumulator(str, "LSR");
    case 0x46:
      return WriteZeroPage(str, "LSR");
    case 0x56:
      return WriteZeroPageX(str, "LSR");
    case 0x4E:
      return WriteAbsolute(str, "LSR");
    case 0x5E:
      return WriteAbsoluteX(str, "LSR");
    default:
      return WriteUndefined(str);
  }
}

void NOPdisplay(char* str) {
  ServeOnly(str, 0xEA, WriteImplied, "NOP");
}

void ORAdisplay(char* str) {
  switch (opcode) {
    case 0x09:
      return WriteImmediate(str, "ORA");
    case 0x05:
      return WriteZeroPage(str, "ORA");
    case 0x15:
      return WriteZeroPageX(str, "ORA");
    case 0x0D:
      return WriteAbsolute(str, "ORA");
    case 0x1D:
      return WriteAbsoluteX(str, "ORA");
    case 0x19:
      return WriteAbsoluteY(str, "ORA");
    case 0x01:
      return WriteIndirectX(str, "ORA");
    case 0x11:
      return WriteIndirectY(str, "ORA");
    default:
      return WriteUndefined(str);
  }
}

void PHAdisplay(char* str) {
  ServeOnly(str, 0x48, WriteImplied, "PHA");
}

void PHPdisplay(char* str) {
  ServeOnly(str, 0x08, WriteImplied, "PHP");
}

void PLAdisplay(char* str) {
  ServeOnly(str, 0x68, WriteImplied, "PLA");
}

void PLPdisplay(char* str) {
  ServeOnly(str, 0x28, WriteImplied, "PLP");
}

void ROLdisplay(char* str) {
  switch (opcode) {
    case 0x2A:
      return WriteAccumulator(str, "ROL");
    case 0x26:
      return WriteZeroPage(str, "ROL");
    case 0x36:
      return WriteZeroPageX(str, "ROL");
    case 0x2E:
      return WriteAbsolute(str, "ROL");
    case 0x3E:
      return WriteAbsoluteX(str, "ROL");
    default:
      return WriteUndefined(str);
  }
}

void RORdisplay(char* str) {
  switch (opcode) {
    case 0x6A:
      return WriteAccumulator(str, "ROR");
    case 0x66:
      return WriteZeroPage(str, "ROR");
    case 0x76:
      return WriteZeroPageX(str, "ROR");
    case 0x6E:
      return WriteAbsolute(str, "ROR");
    case 0x7E:
      return WriteAbsoluteX(str, "ROR");
    default:
      return WriteUndefined(str);
  }
}

void RTIdisplay(char* str) {
  ServeOnly(str, 0x40, WriteImplied, "RTI");
}

void RTSdisplay(char* str) {
  ServeOnly(str, 0x60, WriteImplied, "RTS");
}

void SBCdisplay(char* str) {
  switch (opcode) {
    case 0xE9:
      return WriteImmediate(str, "SBC");
    case 0xE5:
      return WriteZeroPage(str, "SBC");
    case 0xF5:
      return WriteZeroPageX(str, "SBC");
    case 0xED:
      return WriteAbsolute(str, "SBC");
    case 0xFD:
      return WriteAbsoluteX(str, "SBC");
    case 0xF9:
      return WriteAbsoluteY(str, "SBC");
    case 0xE1:
      return WriteIndirectX(str, "SBC");
    case 0xF1:
      return WriteIndirectY(str, "SBC");
    default:
      return WriteUndefined(str);
  }
}

void SECdisplay(char* str) {
  ServeOnly(str, 0x38, WriteImplied, "SEC");
}

void SEDdisplay(char* str) {
  ServeOnly(str, 0xF8, WriteImplied, "SED");
}

void SEIdisplay(char* str) {
  ServeOnly(str, 0x78, WriteImplied, "SEI");
}

void STAdisplay(char* str) {
  switch (opcode) {
    case 0x85:
      return WriteZeroPage(str, "STA");
    case 0x95:
      return WriteZeroPageX(str, "STA");
    case 0x8D:
      return WriteAbsolute(str, "STA");
    case 0x9D:
      return WriteAbsoluteX(str, "STA");
    case 0x99:
      return WriteAbsoluteY(str, "STA");
    case 0x81:
      return WriteIndirectX(str, "STA");
    case 0x91:
      return WriteIndirectY(str, "STA");
    default:
      return WriteUndefined(str);
  }
}

void STXdisplay(char* str) {
  switch (opcode) {
    case 0x86:
      return WriteZeroPage(str, "STX");
    case 0x96:
      return WriteZeroPageY(str, "STX");
    case 0x8E:
      return WriteAbsolute(str, "STX");
    default:
      return WriteUndefined(str);
  }
}

void STYdisplay(char* str) {
  switch (opcode) {
    case 0x84:
      return WriteZeroPage(str, "STY");
    case 0x94:
      return WriteZeroPageX(str, "STY");
    case 0x8C:
      return WriteAbsolute(str, "STY");
    default:
      return WriteUndefined(str);
  }
}

void TAXdisplay(char* str) {
  ServeOnly(str, 0xAA, WriteImplied, "TAX");
}

void TAYdisplay(char* str) {
  ServeOnly(str, 0xA8, WriteImplied, "TAY");
}

void TSXdisplay(char* str) {
  ServeOnly(str, 0xBA, WriteImplied, "TSX");
}

void TXAdisplay(char* str) {
  ServeOnly(str, 0x8A, WriteImplied, "TXA");
}

void TXSdisplay(char* str) {
  ServeOnly(str, 0x9A, WriteImplied, "TXS");
}

void TYAdisplay(char* str) {
  ServeOnly(str, 0x98, WriteImplied, "TYA");
}
