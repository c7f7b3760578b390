; Mapper 1 (MMC1) test cartridge. Every 16 KB program bank and every 4 KB
; character bank is filled with its own number, and every program bank
; carries the same program at $C000, so it runs whichever bank a mode puts
; there. The program walks both program modes that fix a bank and the
; 32 KB mode, both character modes, all four mirroring modes (written
; through $2007 and read back), the reset bit, and read-modify-write
; instructions on the serial port, whose second write the MMC1 ignores. It
; stores what it read at REPORT + n and marks DONE.

.include "nes.inc"

.segment "HEADER"
        .byte "NES", $1A
        .byte 8                 ; 16 KB program banks
        .byte 4                 ; 8 KB character banks
        .byte $10               ; mapper 1, horizontal in the header
        .byte $00
        .res 8, 0

.segment "CHARS"
.repeat 8, bank
        .res $1000, bank
.endrepeat

; Loads an MMC1 register: five writes, lowest bit first.
.macro load_register addr, value
        lda #value
.repeat 5
        sta addr
        lsr a
.endrepeat
.endmacro

CONTROL   = $8000
CHR_BANK0 = $A000
CHR_BANK1 = $C000
PRG_BANK  = $E000

; Control: bits 0-1 mirroring (0 lower, 1 upper, 2 vertical, 3
; horizontal), bits 2-3 program mode, bit 4 two 4 KB character banks.
.macro program
reset:
        startup
        lda #$80
        sta CONTROL

; Program modes: last fixed, first fixed, 32 KB, and the reset bit.
        lda $C010
        report $00
        lda $8010
        report $01
        load_register PRG_BANK, 3
        lda $8010
        report $02
        load_register CONTROL, $0A      ; first bank fixed at $8000
        lda $8010
        report $03
        lda $C010
        report $04
        load_register CONTROL, $02      ; 32 KB: bank 3 without its low bit
        lda $8010
        report $05
        lda $C010
        report $06
        lda #$80                        ; fixes the last bank again
        sta CONTROL
        lda $C010
        report $07
        lda $8010
        report $08

; Character modes.
        load_register CONTROL, $0E      ; one 8 KB bank
        load_register CHR_BANK0, 5      ; 4 and 5
        read_ppu $0000
        report $09
        read_ppu $1000
        report $0A
        load_register CONTROL, $1E      ; two 4 KB banks
        load_register CHR_BANK1, 2
        read_ppu $0000
        report $0B
        read_ppu $1000
        report $0C

; Mirroring.
        load_register CONTROL, $1C      ; one-screen lower
        write_ppu $2005, $11
        read_ppu $2C05
        report $0D
        load_register CONTROL, $1D      ; one-screen upper
        read_ppu $2005
        report $0E
        write_ppu $2405, $22
        read_ppu $2805
        report $0F
        load_register CONTROL, $1E      ; vertical
        read_ppu $2005
        report $10
        read_ppu $2405
        report $11
        read_ppu $2805
        report $12
        load_register CONTROL, $1F      ; horizontal
        read_ppu $2405
        report $13
        read_ppu $2805
        report $14

; Read-modify-write: the MMC1 takes the byte read back (0 here) as the
; first bit and ignores the result written a cycle later; the four bits
; after it make program bank 2 (it would be 3 if the result counted).
        inc zero_byte
        lda #1
        sta PRG_BANK
        lda #0
        sta PRG_BANK
        sta PRG_BANK
        sta PRG_BANK
        lda $8010
        report $15
; A byte with bit 7 set read back resets the shift register, so three
; bits already written are dropped and bank 4 loads cleanly.
        lda #1
        sta PRG_BANK
        sta PRG_BANK
        sta PRG_BANK
        inc ff_byte
        load_register PRG_BANK, 4
        lda $8010
        report $16
        finish

nmi:
irq:
        rti
.endmacro

.repeat 8, bank
.segment .sprintf("CODE%d", bank)
.scope
        .res 32, bank           ; $8010 and $C010 show the bank
        program
.segment .sprintf("DATA%d", bank)
zero_byte:
        .byte $00
ff_byte:
        .byte $FF
.segment .sprintf("VECTORS%d", bank)
        .word nmi, reset, irq
.endscope
.endrepeat
