; Character RAM picture, assembled once per board with MAPPER set on the
; command line. The program writes four tiles into character RAM through
; $2007, fills the screen with them in diagonal stripes, sets a palette and
; shows the background; every frame its NMI handler rewrites the top row
; through the data port (the same tiles, so the picture stays still), which
; keeps the board's data port busy for the benchmarks. It marks DONE once
; the picture is up.

.include "nes.inc"

.ifndef MAPPER
MAPPER = 0
.endif

.segment "HEADER"
        .byte "NES", $1A
        .byte 2                 ; 16 KB program banks
        .byte 0                 ; character RAM
        .byte ((MAPPER & $0F) << 4) | $01   ; vertical mirroring
        .byte MAPPER & $F0
        .res 8, 0

.segment "ZEROPAGE"
row:    .res 1
column: .res 1

.segment "RODATA"
; Tile 0 blank, 1 a checkerboard in colour 1, 2 a solid block in colour 2,
; 3 a diagonal in colour 3 (both planes).
tiles:
        .res 16, $00
        .byte $AA, $55, $AA, $55, $AA, $55, $AA, $55
        .res 8, $00
        .res 8, $00
        .res 8, $FF
        .byte $80, $40, $20, $10, $08, $04, $02, $01
        .byte $80, $40, $20, $10, $08, $04, $02, $01
palette:
        .byte $0F, $30, $16, $2A

.segment "CODE"
reset:
        startup
        wait_vblank
        wait_vblank

        set_ppu_addr $0000
        ldx #0
:       lda tiles, x
        sta PPUDATA
        inx
        cpx #64
        bne :-

        set_ppu_addr $3F00
        ldx #0
:       lda palette, x
        sta PPUDATA
        inx
        cpx #4
        bne :-

; 30 rows of 32 tiles, tile (row + column) AND 3; then the attributes.
        set_ppu_addr $2000
        lda #0
        sta row
@rows:  lda #0
        sta column
@cells: lda row
        clc
        adc column
        and #3
        sta PPUDATA
        inc column
        lda column
        cmp #32
        bne @cells
        inc row
        lda row
        cmp #30
        bne @rows
        lda #0
        ldx #64
:       sta PPUDATA
        dex
        bne :-

        jsr reset_scroll
        lda #$0A                ; background on, left column too
        sta PPUMASK
        lda #DONE_MARK
        sta DONE
        lda #$80                ; NMI on, background from $0000
        sta PPUCTRL
forever:
        jmp forever

; The top row again, as it already is.
nmi:
        pha
        txa
        pha
        set_ppu_addr $2000
        ldx #0
:       txa
        and #3
        sta PPUDATA
        inx
        cpx #32
        bne :-
        jsr reset_scroll
        pla
        tax
        pla
irq:
        rti

reset_scroll:
        lda #$80
        sta PPUCTRL
        lda #0
        sta PPUSCROLL
        sta PPUSCROLL
        rts

.segment "VECTORS"
        .word nmi, reset, irq
