; Symbols test cartridge (mapper 4). Two program banks are linked for the
; same address, $8000, each with its own label there; the reset code maps
; one, calls it, maps the other and calls it, so a debugger shows each
; label only while its bank is mapped. Scopes, cheap labels and a macro give
; the debug file its qualified names and its macro lines.

.include "nes.inc"

.segment "HEADER"
        .byte "NES", $1A
        .byte 2                 ; 16 KB program banks
        .byte 1                 ; 8 KB character banks
        .byte $40               ; mapper 4 low nibble
        .byte $00
        .res 8, 0

.segment "ZEROPAGE"
counter:        .res 1

.segment "BANK0"
bank0_entry:
        lda #$B0
        rts

.segment "BANK1"
bank1_entry:
        lda #$B1
        rts

.segment "TABLES"
squares:
        .byte 0, 1, 4, 9, 16, 25, 36, 49

.segment "CODE"

; Maps program bank `bank` at $8000 (bank register 6).
.macro map_bank bank
        lda #$06
        sta $8000
        lda #bank
        sta $8001
.endmacro

; Counts down from 3 after reading a square: a scope with a cheap label.
.proc count
        ldx #3
down:
        lda squares, x
@again: dex
        bne @again
        sta counter
        rts
.endproc

reset:
        startup
        map_bank 0
        jsr bank0_entry
        map_bank 1
        jsr bank1_entry
        jsr count
forever:
        jmp forever

nmi:
irq:
        rti

.segment "VECTORS"
        .word nmi, reset, irq
