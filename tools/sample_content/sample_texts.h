#pragma once
// The sample content's text files; the fuzz seeds start from them too. The
// font descriptors are made with the glyph sheet (sample_font.h).

namespace Kavo::SampleContent {

inline constexpr const char* kManifest = R"(<?xml version="1.0"?>
<!-- Sample resources: one picture in every format the loaders read, the two
     sound formats, and a font of every kind. The game's own groups ("Init",
     "TitleScreen", "Bonuses", "Game") are added to this text by the content
     generator. -->
<ResourceManifest>
  <Resources id="Preview">
    <SetDefaults path="images/" idprefix="PREVIEW_"/>
    <Image id="BACKGROUND" path="background"/>
    <Image id="LOGO" path="logo.j2k"/>
    <Image id="ITEMS" path="items" cols="6"/>
    <Image id="TILE" path="tile.tga"/>
    <Image id="SELECTION" path="selection.gif" anim="loop" framedelay="10"/>
    <Image id="GLOW" path="glow" alphacolor="FFE0A0"/>
  </Resources>
  <Resources id="Sounds">
    <SetDefaults path="sounds/" idprefix="SOUND_"/>
    <Sound id="CLICK" path="click"/>
    <Sound id="CHIME" path="chime" volume="0.8" pan="-500"/>
  </Resources>
  <Resources id="Fonts">
    <SetDefaults path="fonts/" idprefix="SAMPLEFONT_"/>
    <Font id="BITMAP" path="sample.txt"/>
    <Font id="FLAT" path="!ref:SAMPLEFONT_BITMAP" tags="flat"/>
    <Font id="LEGACY" path="legacy.txt" image="fonts/sample.png"/>
    <Font id="SYSTEM" path="!sys:Sans" size="10" bold />
  </Resources>
</ResourceManifest>
)";

} // namespace Kavo::SampleContent
