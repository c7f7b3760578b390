; Taviro demo cartridge (mapper 4, MMC3). A playfield scrolls sideways
; under a fixed status bar: the MMC3's scanline counter interrupts at the
; bar's last line, where the handler sets the playfield's scroll. Balls
; bounce around, and the joypad moves the player (hold A to run).

.include "nes.inc"

BALLS        = 8
PLAYER_TILE  = 1
; NMI on, sprites from pattern table 1, background from table 0.
CTRL_BASE    = $88
; The IRQ comes at the end of visible line 31: 22 blanking lines plus 32
; visible lines after the NMI handler set the counter.
SPLIT_LINES  = 22 + 32
STATUS_ROW2  = $2040            ; name-table row 2: frame counter and position

.segment "HEADER"
        .byte "NES", $1A
        .byte 2                 ; 16 KB program banks
        .byte 1                 ; 8 KB character banks
        .byte $41               ; mapper 4 low nibble, vertical mirroring
        .byte $00
        .res 8, 0

.segment "BANKS"
        .res $6000, $00

.segment "CHARS"
.include "demo_tiles.inc"

; Zero page from $10; the runner's tests read player_x and player_y at $14
; and $15, so new variables go after them.
.segment "ZEROPAGE"
frame:          .res 2
scroll:         .res 2          ; playfield scroll, 0-511
player_x:       .res 1
player_y:       .res 1
buttons:        .res 1
pointer:        .res 2
row:            .res 1
ball_x:         .res BALLS
ball_y:         .res BALLS
ball_dx:        .res BALLS
ball_dy:        .res BALLS

.segment "OAM"
oam:            .res 256

.segment "CODE"

reset:
        startup
        sta $A000               ; vertical mirroring: tables side by side
        sta $E000               ; no scanline interrupts yet
        wait_vblank
        jsr load_palette
        jsr load_playfield
        jsr init_sprites
        lda #CTRL_BASE
        sta PPUCTRL
        lda #$1E                ; background and sprites, left column too
        sta PPUMASK
        cli
idle:
        jmp idle

; Vertical blank: arm the split first, so that the count starts on this
; very line, then show the frame's sprites and status and move everything.
nmi:
        pha
        txa
        pha
        tya
        pha
        lda #SPLIT_LINES
        sta $C000
        sta $E001
        lda #>oam
        sta OAMDMA
        jsr draw_status
        lda #CTRL_BASE          ; the status bar does not scroll
        sta PPUCTRL
        lda #0
        sta PPUSCROLL
        sta PPUSCROLL
        jsr read_joypad
        jsr move_player
        jsr move_balls
        inc frame
        bne :+
        inc frame + 1
:       inc scroll
        bne :+
        lda scroll + 1
        eor #1
        sta scroll + 1
:       pla
        tay
        pla
        tax
        pla
        rti

; The split: the rest of the picture shows the scrolled playfield.
irq:
        pha
        sta $E000               ; one interrupt per frame
        lda scroll + 1
        ora #CTRL_BASE
        sta PPUCTRL
        lda scroll
        sta PPUSCROLL
        lda #0
        sta PPUSCROLL
        pla
        rti

load_palette:
        set_ppu_addr $3F00
        ldx #0
:       lda palette, x
        sta PPUDATA
        inx
        cpx #32
        bne :-
        rts

; Both name tables, row by row from the row templates, then the attributes.
load_playfield:
        set_ppu_addr $2000
        ldx #0
        jsr copy_rows
        jsr copy_attributes
        set_ppu_addr $2400
        ldx #30
        jsr copy_rows
        jmp copy_attributes

; Copies the 30 rows listed from layout + X.
copy_rows:
        lda #30
        sta row
@next:  lda layout, x
        tay
        lda row_low, y
        sta pointer
        lda row_high, y
        sta pointer + 1
        ldy #0
:       lda (pointer), y
        sta PPUDATA
        iny
        cpy #32
        bne :-
        inx
        dec row
        bne @next
        rts

; The status rows use palette 0, the playfield palette 1.
copy_attributes:
        ldx #0
:       lda #$00
        cpx #8
        bcc :+
        lda #$55
:       sta PPUDATA
        inx
        cpx #64
        bne :--
        rts

init_sprites:
        ldx #0
        lda #$F0                ; below the picture
:       sta oam, x
        inx
        bne :-
        ldx #BALLS - 1
:       lda ball_start_x, x
        sta ball_x, x
        lda ball_start_y, x
        sta ball_y, x
        lda ball_speed_x, x
        sta ball_dx, x
        lda ball_speed_y, x
        sta ball_dy, x
        dex
        bpl :-
        lda #120
        sta player_x
        lda #160
        sta player_y
        rts

; The frame counter and the player's position, in hex.
draw_status:
        set_ppu_addr STATUS_ROW2 + 8
        lda frame + 1
        jsr put_hex
        lda frame
        jsr put_hex
        set_ppu_addr STATUS_ROW2 + 16
        lda player_x
        jsr put_hex
        set_ppu_addr STATUS_ROW2 + 23
        lda player_y
        jmp put_hex

put_hex:
        pha
        lsr
        lsr
        lsr
        lsr
        tay
        lda hex_digits, y
        sta PPUDATA
        pla
        and #$0F
        tay
        lda hex_digits, y
        sta PPUDATA
        rts

; Buttons end up in bit order A B Select Start Up Down Left Right, A on top.
read_joypad:
        lda #1
        sta JOY1
        lda #0
        sta JOY1
        ldx #8
:       lda JOY1
        lsr
        rol buttons
        dex
        bne :-
        rts

move_player:
        ldx #1
        lda buttons
        bpl :+
        ldx #2                  ; A held: run
:       lda buttons
        and #$08                ; up
        beq :+
        jsr player_up
:       lda buttons
        and #$04                ; down
        beq :+
        jsr player_down
:       lda buttons
        and #$02                ; left
        beq :+
        jsr player_left
:       lda buttons
        and #$01                ; right
        beq :+
        jsr player_right
:       jmp place_player

player_up:
        txa
        eor #$FF
        sec
        adc player_y
        cmp #40
        bcc :+
        sta player_y
:       rts

player_down:
        txa
        clc
        adc player_y
        cmp #208
        bcs :+
        sta player_y
:       rts

player_left:
        txa
        eor #$FF
        sec
        adc player_x
        cmp #8
        bcc :+
        sta player_x
:       rts

player_right:
        txa
        clc
        adc player_x
        cmp #232
        bcs :+
        sta player_x
:       rts

; Four sprites from OAM entry 0: the player's quarters, palette 1.
place_player:
        ldx #0
        ldy #0
:       lda player_y
        clc
        adc quarter_dy, y
        sta oam, x
        tya
        clc
        adc #PLAYER_TILE
        sta oam + 1, x
        lda #$01
        sta oam + 2, x
        lda player_x
        clc
        adc quarter_dx, y
        sta oam + 3, x
        inx
        inx
        inx
        inx
        iny
        cpy #4
        bne :-
        rts

; Each ball moves by its speed and turns back at the playfield's edges.
move_balls:
        ldx #BALLS - 1
@ball:  lda ball_x, x
        clc
        adc ball_dx, x
        cmp #8
        bcc @turn_x
        cmp #240
        bcc @keep_x
@turn_x:
        lda #0
        sec
        sbc ball_dx, x
        sta ball_dx, x
        lda ball_x, x
@keep_x:
        sta ball_x, x
        lda ball_y, x
        clc
        adc ball_dy, x
        cmp #40
        bcc @turn_y
        cmp #216
        bcc @keep_y
@turn_y:
        lda #0
        sec
        sbc ball_dy, x
        sta ball_dy, x
        lda ball_y, x
@keep_y:
        sta ball_y, x
        txa                     ; OAM entry 4 + x
        asl
        asl
        tay
        lda ball_y, x
        sta oam + 16, y
        lda #0
        sta oam + 17, y
        txa
        and #3
        lsr
        sta oam + 18, y         ; palettes 0 and 1 alternate in pairs
        lda ball_x, x
        sta oam + 19, y
        dex
        bpl @ball
        rts

.segment "RODATA"

palette:
        .byte $21, $30, $00, $0F        ; status bar: white on black
        .byte $21, $30, $17, $1A        ; playfield: clouds, brick and earth, grass
        .byte $21, $30, $17, $1A
        .byte $21, $30, $17, $1A
        .byte $21, $16, $27, $30        ; balls
        .byte $21, $12, $38, $30        ; player and balls
        .byte $21, $16, $27, $30
        .byte $21, $16, $27, $30

hex_digits:
        .byte "0123456789ABCDEF"

quarter_dx:
        .byte 0, 8, 0, 8
quarter_dy:
        .byte 0, 0, 8, 8

ball_start_x:
        .byte 20, 60, 100, 140, 180, 220, 40, 200
ball_start_y:
        .byte 50, 90, 130, 170, 60, 100, 190, 140
ball_speed_x:
        .byte 1, <-2, 2, <-1, 3, <-3, 1, <-2
ball_speed_y:
        .byte 2, 1, <-1, <-2, 1, 2, <-3, 1

; Row templates, 32 tiles each.
row_solid:
        .res 32, ' '
row_title:
        .byte "  TAVIRO DEMO - MMC3 SPLIT      "
row_status:
        .byte "  FRAME 0000  X 00   Y 00       "
row_sky:
        .res 32, $00
row_clouds_a:
        .byte 0, 0, 4, 5, 0, 0, 0, 0, 0, 0, 0, 4, 5, 0, 0, 0
        .byte 0, 0, 0, 0, 0, 0, 4, 5, 0, 0, 0, 0, 0, 0, 0, 0
row_clouds_b:
        .byte 0, 0, 0, 0, 0, 0, 4, 5, 0, 0, 0, 0, 0, 0, 0, 0
        .byte 4, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 5, 0, 0, 0
row_caps:
        .byte 0, 0, 0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 0, 0
        .byte 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 0, 0, 0, 0, 0, 0
row_pillars:
        .byte 0, 0, 0, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 6, 0, 0
        .byte 0, 0, 0, 0, 0, 0, 0, 0, 0, 6, 0, 0, 0, 0, 0, 0
row_bricks:
        .byte 0, 0, 0, 6, 0, 0, 1, 1, 1, 1, 0, 0, 0, 6, 0, 0
        .byte 0, 1, 1, 1, 1, 1, 0, 0, 0, 6, 0, 0, 0, 0, 0, 0
row_grass:
        .res 32, $02
row_earth:
        .res 32, $03

ROW_SOLID   = 0
ROW_TITLE   = 1
ROW_STATUS  = 2
ROW_SKY     = 3
ROW_CLOUD_A = 4
ROW_CLOUD_B = 5
ROW_CAPS    = 6
ROW_PILLARS = 7
ROW_BRICKS  = 8
ROW_GRASS   = 9
ROW_EARTH   = 10

row_low:
        .lobytes row_solid, row_title, row_status, row_sky, row_clouds_a, row_clouds_b
        .lobytes row_caps, row_pillars, row_bricks, row_grass, row_earth
row_high:
        .hibytes row_solid, row_title, row_status, row_sky, row_clouds_a, row_clouds_b
        .hibytes row_caps, row_pillars, row_bricks, row_grass, row_earth

; The rows of name table 0, then of name table 1.
layout:
        .byte ROW_SOLID, ROW_TITLE, ROW_STATUS, ROW_SOLID
        .byte ROW_SKY, ROW_CLOUD_A, ROW_SKY, ROW_SKY, ROW_CLOUD_B, ROW_SKY, ROW_SKY
        .byte ROW_CLOUD_A, ROW_SKY, ROW_SKY, ROW_SKY, ROW_SKY, ROW_SKY
        .byte ROW_CAPS, ROW_PILLARS, ROW_PILLARS, ROW_BRICKS, ROW_PILLARS, ROW_BRICKS
        .byte ROW_PILLARS, ROW_GRASS, ROW_EARTH, ROW_EARTH, ROW_EARTH, ROW_EARTH, ROW_EARTH
        .byte ROW_SOLID, ROW_TITLE, ROW_STATUS, ROW_SOLID
        .byte ROW_SKY, ROW_CLOUD_B, ROW_SKY, ROW_SKY, ROW_SKY, ROW_CLOUD_A, ROW_SKY
        .byte ROW_SKY, ROW_SKY, ROW_CLOUD_B, ROW_SKY, ROW_SKY, ROW_SKY
        .byte ROW_SKY, ROW_CAPS, ROW_PILLARS, ROW_BRICKS, ROW_PILLARS, ROW_BRICKS
        .byte ROW_PILLARS, ROW_GRASS, ROW_EARTH, ROW_EARTH, ROW_EARTH, ROW_EARTH, ROW_EARTH

.segment "VECTORS"
        .word nmi, reset, irq
