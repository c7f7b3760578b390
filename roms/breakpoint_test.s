; Breakpoint test cartridge (mapper 4). One pass of the main loop makes
; each kind of access a debugger user sets breakpoints on: a store to a PPU
; port, a read-modify-write of a RAM byte, a sprite DMA, stores across a
; range, and a call two subroutines deep. It loops for ever, so every pass
; does the same again with the counter one higher.

.include "nes.inc"

.segment "HEADER"
        .byte "NES", $1A
        .byte 2                 ; 16 KB program banks
        .byte 1                 ; 8 KB character banks
        .byte $40               ; mapper 4 low nibble
        .byte $00
        .res 8, 0

.segment "BANKS"
        .res $6000, $00

.segment "CHARS"
        .res $2000, $00

.segment "ZEROPAGE"
counter:        .res 1          ; $10: one more every pass
depth:          .res 1          ; $11: how deep the calls went

.segment "CODE"
reset:
        startup
        sta counter
main:
        ldx #0
        lda #$11
fill:   sta $0200,x             ; the sprite page the DMA copies
        inx
        bne fill
        lda #$3F
sta_2006:
        sta PPUADDR             ; write $2006 = $3F
        lda #$00
        sta PPUADDR
inc_counter:
        inc counter             ; a read and a write of $0010
        lda #$02
sta_dma:
        sta OAMDMA              ; reads $0200-$02FF
        ldx #0
range_loop:
        txa
range_sta:
        sta $0300,x             ; writes $0300-$0307
        inx
        cpx #8
        bne range_loop
call_outer:
        jsr outer
after_call:
        jmp main

outer:
        lda #1
        sta depth
inside_outer:
        jsr inner
after_inner:
        rts

inner:
        lda #2
        sta depth
        rts

nmi:
irq:
        rti

; The addresses the tests look up, in this order.
.segment "ADDRS"
        .word sta_2006, inc_counter, sta_dma, range_sta
        .word call_outer, after_call, inside_outer, after_inner
        .word inner, main

.segment "VECTORS"
        .word nmi, reset, irq
