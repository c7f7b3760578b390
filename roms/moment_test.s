; Moment test cartridge (mapper 0, character RAM). It writes one counter to
; two places in each memory a debugger user views, the earlier place first,
; over and over: CPU $0010 and $00F0, the stack page's $0100 and $01E0,
; PPU $0000 and $00F0, sprite bytes $00 and $F0. Between any two
; instructions the later copy equals the earlier one or lags it by one, so a
; read that sees them further apart mixed two moments of the machine.

.include "nes.inc"

OAMDATA = $2004

.segment "HEADER"
        .byte "NES", $1A
        .byte 2                 ; 16 KB program banks
        .byte 0                 ; character RAM
        .byte $00               ; mapper 0, horizontal mirroring
        .byte $00
        .res 8, 0

.segment "ZEROPAGE"
counter:        .res 1          ; $10

.segment "CODE"
reset:
        startup
        lda #0
        sta counter
loop:
        inc counter
        lda counter
        sta $00F0
        sta $0100
        sta $01E0
        ldx #$00
        stx PPUADDR
        stx PPUADDR
        sta PPUDATA             ; PPU $0000
        stx PPUADDR
        ldx #$F0
        stx PPUADDR
        sta PPUDATA             ; PPU $00F0
        ldx #$00
        stx OAMADDR
        sta OAMDATA             ; sprite byte $00
        ldx #$F0
        stx OAMADDR
        sta OAMDATA             ; sprite byte $F0
        jmp loop

nmi:
irq:
        rti

.segment "VECTORS"
        .word nmi, reset, irq
