#pragma once
// The sample content's text files; the fuzz seeds start from them too. The
// font descriptors are made with the glyph sheet (sample_font.h).

namespace Kavo::SampleContent {

inline constexpr const char* kManifest = R"(<?xml version="1.0"?>
<!-- Sample resources: one picture in every format the loaders read, the two
     sound formats, and a font of every kind. -->
<ResourceManifest>
  <Resources id="Init">
    <SetDefaults path="images/" idprefix="IMAGE_"/>
    <Image id="BACKGROUND" path="background"/>
    <Image id="LOGO" path="logo.j2k"/>
  </Resources>
  <Resources id="Game">
    <SetDefaults path="images/" idprefix="IMAGE_"/>
    <Image id="ITEMS" path="items" cols="6"/>
    <Image id="TILE" path="tile.tga"/>
    <Image id="SELECTION" path="selection.gif" anim="loop" framedelay="10"/>
    <Image id="GLOW" path="glow" alphacolor="FFE0A0"/>
    <Image id="TIMER" path="timer"/>
    <Image id="TIMER_ARROW" path="timer_arrow"/>
    <Image id="TIMER_CIRCLE" path="timer_circle"/>
    <Image id="RATING_BLICK" path="rating_blick"/>
  </Resources>
  <Resources id="Shop">
    <SetDefaults path="images/" idprefix="IMAGE_"/>
    <Image id="SHOP1" path="shop1"/>
    <Image id="SHOP2" path="shop2"/>
    <Image id="SHOP3" path="shop3"/>
    <Image id="MENU" path="menu"/>
    <Image id="SHOPBUTTON" path="shopbutton" cols="4"/>
    <Image id="SMALLRANK" path="smallrank" cols="3"/>
  </Resources>
  <Resources id="Bonuses">
    <SetDefaults path="images/" idprefix="IMAGE_"/>
    <Image id="BONUSLINE" path="bonusline" cols="8" anim="loop" framedelay="5"/>
  </Resources>
  <Resources id="Sounds">
    <SetDefaults path="sounds/" idprefix="SOUND_"/>
    <Sound id="CLICK" path="click.wav"/>
    <Sound id="CHIME" path="chime.au" volume="0.8" pan="-500"/>
  </Resources>
  <Resources id="Fonts">
    <SetDefaults path="fonts/" idprefix="FONT_"/>
    <Font id="DEFAULT" path="sample.txt"/>
    <Font id="FLAT" path="!ref:FONT_DEFAULT" tags="flat"/>
    <Font id="LEGACY" path="legacy.txt" image="fonts/sample.png"/>
    <Font id="SYSTEM" path="!sys:Sans" size="10" bold />
  </Resources>
</ResourceManifest>
)";

} // namespace Kavo::SampleContent
