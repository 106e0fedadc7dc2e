meta:
  id: prm
  title: Quillet parameter file (special attributes of a role-playing game)
  application: Quillet, prmtool
  file-extension: prm
  license: MIT
  endian: be
  encoding: UTF-8
doc: |
  The special attributes of a role-playing game engine, as Quillet saves them:
  a flat run of fields in a fixed order, without header, magic number,
  version, tags or checksum. Numbers are single bytes; texts are
  length-prefixed UTF-8; the colours picked with a colour swatch are 4-byte
  COLORREF values stored most significant byte first.

  The base block is always there. The advanced block follows it only when the
  file was saved with advancedEnabled ("使用") checked; the file carries no
  mark of it, so a file that ends right after the base block simply has none.

  Each attribute bears the parameter's name in the catalogue, in snake case:
  level_up_hp[0] is levelUpHp[0], menu_arrow_color.r is menuArrowColor.r,
  level_up_stat[2].magic_defence is levelUpStat[2].magicDefence. The
  validations are the rules of a well-formed file, as `prmtool check` tests
  them, but for two that this description cannot state: every text is valid
  UTF-8 and holds no zero byte. Labels in parentheses are the editor's.
seq:
  - id: base_block
    type: base_block
  - id: advanced_block
    type: advanced_block
    if: not _io.eof
    doc: Present exactly when the file goes on after the base block (advancedEnabled, "使用", was checked at saving).
  - id: bytes_after_last_field
    size-eos: true
    valid:
      expr: _.length == 0
    doc: Nothing follows the last field of a well-formed file; readers ignore any bytes here and a save drops them.
types:
  base_block:
    seq:
      - id: level_up_hp
        type: u1
        repeat: expr
        repeat-expr: 3
        doc: HP gained at each level up, for class 1, 2 and 3 (职业1–3 HP).
      - id: level_up_mp
        type: u1
        repeat: expr
        repeat-expr: 3
        doc: MP gained at each level up, for class 1, 2 and 3 (MP).
      - id: status_hit_chance
        type: u1
        doc: Chance that an added status takes effect (附加状态有效几率).
      - id: monster_escape_chance
        type: u1
        doc: Chance that a monster escapes (怪物逃跑几率).
      - id: menu_arrow_color
        type: rgb
        doc: Colour of the main menu's arrow (主菜单箭头).
      - id: party_escape_chance
        type: u1
        doc: Chance that the party escapes (我方逃跑几率).
      - id: equip_slot_name
        type: string_field
        repeat: expr
        repeat-expr: 5
        doc: Names of the five equipment slots, weapon, helmet, armour, hands, accessory (武器, 头盔, 铠甲, 手部, 饰品).
      - id: hero_animation_mode
        type: mode_name
        doc: The hero's sprite animation mode, stored as its name (主角动画模式).
      - id: frame_outer_color
        type: rgb
        doc: Outer border of dialog and menu frames (对话框/菜单 外边).
      - id: frame_fill_color
        type: rgb
        doc: Fill of dialog and menu frames (对话框/菜单 填充).
      - id: frame_inner_color
        type: rgb
        doc: Inner border of dialog and menu frames (对话框/菜单 内边).
      - id: pad_before_text_color
        contents: [0]
        doc: Pad byte, always 0; readers skip it.
      - id: text_color
        type: rgb
        doc: Colour of text (文字).
      - id: pad_before_highlight_text_color
        contents: [0]
        doc: Pad byte, always 0; readers skip it.
      - id: highlight_text_color
        type: rgb
        doc: Colour of highlighted text (高亮文字).
      - id: pad_before_cursor_color
        contents: [0]
        doc: Pad byte, always 0; readers skip it.
      - id: cursor_color
        type: rgb
        doc: Colour of the cursor (光标).
      - id: party_max_size
        type: u1
        doc: Most heroes in the party (队伍最大人数).
      - id: attribute_name
        type: string_field
        repeat: expr
        repeat-expr: 3
        doc: Names of the three attributes shown in menus (魔法, 魔攻, 魔防 at start-up).
      - id: encounter_max_steps
        type: u1
        doc: Most steps between random encounters (遇敌最大步数).
      - id: encounter_min_steps
        type: u1
        doc: Fewest steps between random encounters (遇敌最小步数).
      - id: middle_sprite_offset
        type: u1
        doc: Offset of the middle sprite (中间精灵的偏移).
      - id: menu_pos_x
        type: u1
        doc: Horizontal position of the menu (菜单坐标).
      - id: menu_pos_y
        type: u1
        doc: Vertical position of the menu.
      - id: cursor_pos_x
        type: u1
        doc: Horizontal position of the cursor (光标坐标).
      - id: cursor_pos_y
        type: u1
        doc: Vertical position of the cursor.
      - id: menu_spacing
        type: u1
        doc: Spacing of menu items (菜单间距).
      - id: info_delay
        type: u1
        doc: The Info delay (Info延迟).
      - id: hero_height
        type: u1
        doc: Hero height (主角高度).
      - id: use_portrait
        type: u1
        enum: yes_no
        valid:
          any-of: [yes_no::no, yes_no::yes]
        doc: Whether portraits are used (使用头像).
      - id: loading_frame_count
        type: u1
        doc: Frames of the loading animation, 0 for none (Loading 动画帧数).
      - id: emote_count
        type: u1
        doc: Number of emotes, 0 for none (表情数量); the last field of the base block.
  advanced_block:
    seq:
      - id: double_attack
        type: u1
        doc: Double attack (双倍攻击).
      - id: advanced_color
        type: colorref
        repeat: expr
        repeat-expr: 5
        doc: Five colours (颜色1–颜色5).
      - id: menu_text_color
        type: colorref
        doc: Colour of menu text (菜单文字颜色).
      - id: level_up_stat
        type: stat_gains
        repeat: expr
        repeat-expr: 3
        doc: Attributes gained at each level up, for class 1, 2 and 3 (升级属性变动).
      - id: arrow_color
        type: colorref
        doc: Colour of arrows (箭头).
      - id: background_color
        type: colorref
        doc: Background colour (背景).
      - id: slider_color
        type: colorref
        doc: Colour of sliders (滑块).
      - id: map_cell_size
        type: u1
        doc: Size of a map cell (地图单元).
      - id: level_difference
        type: u1
        doc: Level difference (等级差).
      - id: sprite_attribute_table
        type: sprite_attribute_table
        doc: The sprite attribute entries; the last field of the file.
  rgb:
    doc: A colour edited as three numbers, stored red first.
    -webide-representation: 'R {r:dec} G {g:dec} B {b:dec}'
    seq:
      - id: r
        type: u1
      - id: g
        type: u1
      - id: b
        type: u1
  colorref:
    doc: A colour picked with a swatch, a COLORREF 0x00BBGGRR stored most significant byte first.
    -webide-representation: 'R {r:dec} G {g:dec} B {b:dec}'
    seq:
      - id: top
        type: u1
        valid: 0
        doc: The COLORREF's top byte, always 0 in a well-formed file.
      - id: b
        type: u1
      - id: g
        type: u1
      - id: r
        type: u1
  string_field:
    doc: A text, its byte count first.
    -webide-representation: '{text}'
    seq:
      - id: len_text
        type: u2
        valid:
          max: 255
        doc: Bytes of UTF-8 that follow, at most 255, so its first byte is always 0.
      - id: text
        type: str
        size: len_text
        doc: UTF-8 without a terminating zero.
  mode_name:
    doc: The hero's animation mode as its name.
    -webide-representation: '{text}'
    seq:
      - id: len_text
        type: u2
        valid:
          max: 255
        doc: Bytes of the name that follow.
      - id: text
        type: str
        size: len_text
        valid:
          any-of: ['"1*1*1"', '"4*1*1"', '"4*2*2"', '"4*2*3"', '"4*2*4"']
        doc: One of the five mode names, in the order of the editor's list.
  stat_gains:
    doc: What one class gains at each level up.
    seq:
      - id: phys_attack
        type: u1
        doc: Physical attack (物攻).
      - id: phys_defence
        type: u1
        doc: Physical defence (物防).
      - id: magic_attack
        type: u1
        doc: Magic attack (魔攻).
      - id: magic_defence
        type: u1
        doc: Magic defence (魔防).
  sprite_attribute_table:
    doc: The sprite attribute entries, in the order the editor's table shows them.
    seq:
      - id: num_rows
        type: u1
        doc: Number of rows that follow, at most 255.
      - id: rows
        type: sprite_attribute_row
        repeat: expr
        repeat-expr: num_rows
  sprite_attribute_row:
    doc: One entry of the table.
    -webide-representation: 'level {level:dec}, {category}, item {item_id:dec}, sprite attribute {sprite_attribute_id:dec}'
    seq:
      - id: level
        type: u1
        doc: Level (等级).
      - id: category
        type: u1
        enum: category
        valid:
          any-of: [category::magic, category::item]
        doc: Category (类别).
      - id: item_id
        type: u1
        doc: Item ID (物品ID).
      - id: sprite_attribute_id
        type: u1
        doc: Sprite attribute ID (精灵属性ID).
enums:
  yes_no:
    0:
      id: "no"
      -orig-id: 否
    1:
      id: "yes"
      -orig-id: 是
  category:
    0:
      id: magic
      -orig-id: 魔法
      doc: Magic.
    1:
      id: item
      -orig-id: 道具
      doc: Item.
