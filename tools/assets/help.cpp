#include "help.h"

#include "../missions/help_section.h"  // the prepared missions, from their catalogue

namespace tavrine::assets {

namespace {

constexpr std::string_view kHead = R"(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Tavrine - Player's and Map Maker's Guide</title>
<style>
body { font-family: "Liberation Sans", "DejaVu Sans", sans-serif; max-width: 46em; margin: 1.5em auto; padding: 0 1em;
       color: #1c1f24; background: #fbfaf6; line-height: 1.45; }
h1 { color: #7a5a00; border-bottom: 3px solid #d9b42e; padding-bottom: .2em; }
h2 { color: #24384f; border-bottom: 1px solid #c8ccd2; margin-top: 1.8em; }
h3 { color: #24384f; }
table { border-collapse: collapse; margin: .6em 0; }
th, td { border: 1px solid #c8ccd2; padding: .25em .6em; text-align: left; vertical-align: top; }
th { background: #eef0f3; }
kbd { border: 1px solid #9aa0a8; border-radius: 3px; padding: 0 .3em; background: #fff; font-size: 90%; }
.note { background: #fff6d6; border-left: 4px solid #d9b42e; padding: .4em .8em; }
nav ul { columns: 2; }
</style>
</head>
<body>
)";

constexpr std::string_view kIntro = R"(<h1>Tavrine</h1>
<p>Tavrine is a war of tanks on a map of land, water and mountains. You command the yellow army. The computer
commands the red one; green units belong to nobody and fight for no one. Every map has one mission, and the battle
ends with <b>Mission Accomplished</b> or <b>Mission Failed</b>.</p>
<nav><ul>
<li><a href="#start">Starting the game</a></li>
<li><a href="#play">How to play</a></li>
<li><a href="#controls">Controls</a></li>
<li><a href="#cursors">What the pointer tells you</a></li>
<li><a href="#missions">The six missions</a></li>
<li><a href="#campaign">The prepared missions</a></li>
<li><a href="#skirmish">Skirmish</a></li>
<li><a href="#units">Tanks, towers and buildings</a></li>
<li><a href="#menu">The game menu</a></li>
<li><a href="#editor">Making maps: the editing mode</a></li>
<li><a href="#library">The library editor</a></li>
<li><a href="#replays">Replays</a></li>
<li><a href="#files">The game's files</a></li>
</ul></nav>
)";

constexpr std::string_view kStartA = R"(<h2 id="start">Starting the game</h2>
<p>When Tavrine starts it shows the start dialog. Choose a display mode from the <b>Display</b> list
(640 by 480, 800 by 600 or 1024 by 768, then your screen's own size and the wide sizes that fit on it, such as
1280 by 720, 1366 by 768, 1600 by 900, 1920 by 1080 and 2560 by 1440) and press <b>Play</b>. The game then runs full
screen, shows its title and opens the <b>Load Game</b> dialog by itself after a moment; press any key or click to
open it sooner.</p>
<p>A wider or larger mode shows more of the battlefield, one map pixel on one screen pixel; nothing is stretched.
On a picture taller than 1200 pixels the status bar, the menu, the minimap and every text of the battle are drawn
at twice their size so they stay readable; the <b>Interface</b> list of <b>Game Control</b> chooses this
automatically, at normal size or at double size. The minimap never takes more than a third of the screen's width or
height: on a large map it is drawn smaller, and a click on it still lands on the cell you see.</p>
<p><kbd>Alt</kbd>+<kbd>Enter</kbd> switches between full screen and a window, in play as in the editing mode. In a
window, resize it as you like (down to 640 by 480): the battlefield follows the window's size. On a high-density
screen, where the desktop draws everything at twice its size, the game still draws one map pixel on one screen
pixel, with its interface at double size.</p>
<ul>
<li><b>Help...</b> opens this guide.</li>
<li><b>Cancel</b> (or <kbd>Esc</kbd>) leaves without playing.</li>
</ul>
<p class="note">To start the editing mode instead, )";

constexpr std::string_view kStartB = R"(. The program then opens in an 800 by 600 window with the map editor's tool
window beside it (see <a href="#editor">Making maps</a>).</p>
<p>In the Load Game dialog, games you saved are listed first, in bold green, with a disk beside them; after them come
the prepared maps of the <code>NewGames</code> folder, marked <i>[New Game]</i>. A prepared map starts a fresh battle
with 5000 in money; a saved game continues where you left it. Pick a row with the mouse or the arrow keys and press
<b>OK</b> (or double-click it).</p>
<p>A file the game cannot load is never half loaded: a message says why ("File format error" for a file that is not
a game file at all, "File version error" for one of another version, or that the named game file is damaged when it
is cut short or holds impossible contents) and the battle you were playing goes on as it was. On the title, the Load
Game dialog is offered again a moment later.</p>
)";

constexpr std::string_view kPlay = R"(<h2 id="play">How to play</h2>
<p>At the start most of the map lies under the fog of war. Your tanks uncover the land around them as they drive.
The aim is always the mission shown at the top left when the battle begins.</p>
<h3>Giving orders</h3>
<ul>
<li><b>Select</b> a tank by clicking it, or several at once by dragging a band around them with the left button.
Only your own tanks can be selected for orders; the band simply leaves the others out.</li>
<li><b>Move:</b> with tanks selected, click open land. They find their own way around water, mountains,
walls and buildings.</li>
<li><b>Attack a tank:</b> with tanks selected, click an enemy tank.</li>
<li><b>Attack a building or tower:</b> with tanks selected, click it. Your tanks drive up to it, stop within
range and keep firing until it burns down.</li>
<li><b>Deselect:</b> press the right mouse button.</li>
<li>Clicking one of your own buildings selects it and shows its name and health; clicking an enemy tank with
nothing selected only shows its health.</li>
</ul>
<h3>Fighting</h3>
<p>Tanks turn their turrets towards the target and fire as soon as the gun points at it. Idle tanks react
on their own when enemies come near, and tanks on the move take a shot at enemies they pass. Gun towers guard the
ground within six cells around them. Each unit shows a health bar when selected: green, then yellow, then red.
A destroyed tank leaves a wreck; a destroyed building burns for a while and leaves ruins.</p>
<h3>Money and new tanks</h3>
<p>Every enemy tank you destroy pays <b>500</b>, every enemy tower or building <b>2000</b>. You do not order new
tanks: your factories build them by themselves, one tank each, whenever production is due and you have at least
500 in money, which each new tank costs. The more money you have, the sooner they build (but never faster than
every 330 game ticks). New tanks roll out of the factory's gate and drive a few cells south. A factory whose way
out is blocked builds nothing, and you can command at most 60 tanks. The computer's factories build for free,
at a pace set by the difficulty, and send out attack waves.</p>
)";

constexpr std::string_view kControls = R"(<h2 id="controls">Controls</h2>
<table>
<tr><th>Input</th><th>What it does</th></tr>
<tr><td>Left click on a tank</td><td>select it (or attack it, when it is an enemy and your tanks are selected)</td></tr>
<tr><td>Left drag</td><td>select your tanks inside the band (the band goes on over the minimap and the status bar,
so tanks under them can be selected too)</td></tr>
<tr><td>Left click on land</td><td>send the selected tanks there</td></tr>
<tr><td>Left click on an enemy building or tower</td><td>attack it with the selected tanks</td></tr>
<tr><td>Right click</td><td>deselect everything</td></tr>
<tr><td>Pointer at the screen's edge or corner</td><td>scroll the map</td></tr>
<tr><td>Click or drag on the minimap</td><td>move the view there</td></tr>
<tr><td>Arrow keys</td><td>scroll the map while held, as the screen's edge does (two at once scroll diagonally)</td></tr>
<tr><td><kbd>P</kbd> or <kbd>Pause</kbd></td><td>pause the battle, and go on again; "Paused" shows in the middle</td></tr>
<tr><td><kbd>Ctrl</kbd>+<kbd>1</kbd> … <kbd>Ctrl</kbd>+<kbd>9</kbd></td><td>store the selected tanks as group 1 … 9
(in place of what the group held)</td></tr>
<tr><td><kbd>1</kbd> … <kbd>9</kbd></td><td>select that group's tanks alone; press it again within half a second
to bring them into the middle of the view</td></tr>
<tr><td><kbd>Ctrl</kbd>+<kbd>A</kbd></td><td>select all your tanks on the screen</td></tr>
<tr><td><kbd>Esc</kbd></td><td>asks whether to leave the game</td></tr>
<tr><td>Any key or click on the title or result screen</td><td>opens the Load Game dialog</td></tr>
<tr><td><kbd>Shift</kbd> with a drag, or <kbd>Shift</kbd>+click on one of your tanks</td><td>add your tanks to the
selection; <kbd>Shift</kbd>+click on a selected tank takes it out</td></tr>
<tr><td><kbd>Shift</kbd>+<kbd>1</kbd> … <kbd>Shift</kbd>+<kbd>9</kbd></td><td>add that group's tanks to the selection</td></tr>
<tr><td><kbd>Shift</kbd>+click on land, an enemy tank or an enemy building</td><td>queue the order: each selected tank
carries it out when its orders before it are done. While the tanks are selected their queued points show as small
squares joined by lines (green a move, red an attack, orange an attack-move)</td></tr>
<tr><td><kbd>A</kbd>, then a left click</td><td>attack-move: the selected tanks drive to that cell and stop to fight
every enemy tank or gun tower that comes within five cells, then drive on, keeping together as a group (with
<kbd>Shift</kbd> the attack-move is queued)</td></tr>
<tr><td><kbd>S</kbd></td><td>stop: the selected tanks drop their orders and queues; like any idle tank they still
answer enemies that come near</td></tr>
<tr><td><kbd>R</kbd> held, with your factory selected, and a left click on the map</td><td>set the factory's rally
point, shown as a yellow flag while the factory is selected: every tank it makes then drives there (or attacks an
enemy building standing on that cell)</td></tr>
<tr><td><kbd>F1</kbd></td><td>open this guide at the page for what is on the screen (the battle, the editing mode, the library editor);
the battle pauses while it is open; <kbd>Esc</kbd> closes it</td></tr>
</table>
<p>The keys <kbd>A</kbd>, <kbd>S</kbd> and <kbd>R</kbd> act this way in play only; in the editing mode
<kbd>A</kbd> and <kbd>S</kbd> keep their meaning there. A group sent to one cell cannot all stand on it: a tank
with more orders queued counts as arrived once it stands next to the cell (within two cells for a group of more
than eight, three for more than 24). Saved games keep the queues, the rally points and the attack-moves under
way.</p>
<p>The status bar along the bottom shows the game time and your money. Its buttons open the game menu, show or
hide the minimap, and switch the minimap between one and two pixels per cell. On the minimap a white frame marks
the part of the map you see. A map opens with two pixels per cell when that minimap takes no more than a third of
the screen's width and half its height; a larger map opens with one.</p>
<p>While the battle is paused nothing moves, no tank is built and the clock stands still, but you can scroll,
look around, select tanks and give orders; they are carried out when the battle goes on. The battle also pauses
while another program has the keyboard and goes on when you come back; the game's own dialogs and editor windows
do not pause it. There is no pause in the editing mode.
A destroyed tank leaves its groups, and every loaded game starts with no groups.</p>
)";

constexpr std::string_view kCursors = R"(<h2 id="cursors">What the pointer tells you</h2>
<table>
<tr><th>Pointer</th><th>Meaning</th></tr>
<tr><td>Yellow arrow at the edge</td><td>the map scrolls that way (eight directions)</td></tr>
<tr><td>Red arrow against a bar</td><td>the view has reached the map's border in that direction</td></tr>
<tr><td>White arrow</td><td>the ordinary pointer</td></tr>
<tr><td>Green arrows closing in</td><td>a click here moves the selected tanks</td></tr>
<tr><td>Red sight</td><td>a click here attacks</td></tr>
<tr><td>Red circle, struck through</td><td>the selected tanks cannot go there</td></tr>
<tr><td>White corners</td><td>a click here selects what is under the pointer</td></tr>
</table>
)";

constexpr std::string_view kMissions = R"(<h2 id="missions">The six missions</h2>
<p>Towers and buildings count as buildings. Only the computer's forces count as enemies; green units count for
nobody. A battle is first judged a few seconds after it starts.</p>
<table>
<tr><th>Mission</th><th>You win when</th><th>You lose when</th></tr>
<tr><td>Destroy all the enemy buildings and kill all the enemies.</td>
<td>no enemy building and no enemy tank is left</td><td>you have no tank left</td></tr>
<tr><td>Destroy all the enemy buildings.</td><td>no enemy building is left</td><td>you have no tank left</td></tr>
<tr><td>Find the enemy headquarters and destroy it.</td><td>no enemy headquarters is left</td>
<td>you have no tank left</td></tr>
<tr><td>Defend army headquarters from enemies and kill all enemies.</td>
<td>no enemy building and no enemy tank is left</td><td>you have no tank left, or your last headquarters falls</td></tr>
<tr><td>Defend army headquarters from enemies and destroy all enemy buildings.</td>
<td>no enemy building is left</td><td>you have no tank left, or your last headquarters falls</td></tr>
<tr><td>Defend army headquarters from enemies and find the enemy headquarters, destroy it.</td>
<td>no enemy headquarters is left</td><td>you have no tank left, or your last headquarters falls</td></tr>
</table>
<p>If you win and lose at the same moment, you win. After the result the battlefield stays on screen with the
statistics on a dark panel, kept above the status bar on every screen size; any key or click opens the Load Game
dialog for the next battle. After a battle begun from a prepared map the panel also offers <kbd>R</kbd>, play
again, and after a campaign mission whose next mission is open, <kbd>N</kbd>, the next mission; both lead through
the mission's briefing (see <a href="#campaign-order">the campaign</a>). A won campaign mission is noted in your
progress at once.</p>
)";

constexpr std::string_view kSkirmish = R"(<h2 id="skirmish">Skirmish</h2>
<p>When you want a battle nobody has played before, press <b>Skirmish...</b> in the Load Game dialog. The game makes
a new map for you from your choices:</p>
<ul>
<li><b>Landscape</b>: a <i>continent</i> with coasts, bays and mountain ranges; <i>islands</i> joined by land
bridges; <i>lakes</i> between causeways; <i>highlands</i> where the mountains leave only passes; or a <i>river</i>
valley that you cross at its fords.</li>
<li><b>Size</b>: Small (64 by 48), Medium (100 by 75), Large (150 by 110), Huge (200 by 200), or any size from 40 by
30 to 200 by 200 under Other.</li>
<li><b>Symmetry</b>: none, mirrored (the east is the west's mirror image) or rotated half a turn, for a battle
where neither side has the better ground.</li>
<li><b>Mission</b> and <b>Difficulty</b>, as for any battle, and how much <b>Scenery</b>.</li>
<li><b>Seed</b>: the number the map is made from. The same choices and the same seed always make the same map, so
you can give a good map to a friend as its seed. <b>New Seed</b> draws a fresh one.</li>
</ul>
<p>The picture beside the choices shows the map they make: your base yellow, the enemy's red. <b>Play</b> starts
the battle with 5000 in money, as a prepared map starts. <b>Quick Skirmish</b> starts a battle at once with a fresh
seed and the choices you made last time.</p>
<p>Every map is checked before you get it: the two bases stand on open ground, far apart; everything the mission
asks you to destroy can be reached by land, and the enemy's tanks can reach you; your start is in sight and out of
the reach of every enemy tower; and the mission is not decided before it begins. A map that fails a check is made
again from another seed. The bigger the map, the stronger the enemy's base: more towers and tanks, a fortress and a
second factory on the large maps, and more tanks for you. The Information box and the result screen show the map
and its seed, and a saved skirmish remembers them. When the battle is over, <kbd>R</kbd> plays the same map again
and <kbd>N</kbd> makes a new one from a fresh seed with the same choices; a saved skirmish, loaded and finished,
offers both as well. A replay of a skirmish names its map and seed in the top right corner while you watch it.</p>
)";

constexpr std::string_view kUnits = R"(<h2 id="units">Tanks, towers and buildings</h2>
<p>Yellow is yours, red the computer's, green nobody's. On the minimap your buildings show olive, the computer's
dark red, your tanks yellow, the computer's tanks red.</p>
<ul>
<li><b>Tanks</b> come as a battle tank (the one factories build), a fast light tank and a heavy tank.</li>
<li><b>Gun towers</b> turn towards any enemy tank within six cells and fire on it. The fortress is a twin-gun
tower on two by two cells.</li>
<li><b>Headquarters</b> (with the turning radar) are what the defence missions are about.</li>
<li><b>Factories</b> build tanks, which leave through the gate in the middle of the factory's front.</li>
<li>Barracks, power plants, fuel depots and radio masts are further buildings that count toward the missions.</li>
<li>Walls, trees, rocks, crates and craters are scenery: they block the way but cannot be attacked.</li>
</ul>
)";

constexpr std::string_view kMenu = R"(<h2 id="menu">The game menu</h2>
<p>The <b>Menu</b> button on the status bar slides up the game menu:</p>
<ul>
<li><b>Campaign</b> opens the campaign screen, as the Load Game dialog's <b>Campaign...</b> does.</li>
<li><b>Skirmish</b> opens the Skirmish dialog with your last choices and a fresh seed; <b>Quick Skirmish</b>
starts a skirmish at once with them (see <a href="#skirmish">Skirmish</a>). The battle you leave is autosaved.</li>
<li><b>Load Game</b> opens a saved game or a prepared map.</li>
<li><b>Save Game</b> saves the battle under a name into the <code>SaveGames</code> folder. Picking or typing the name
of a game saved before asks "Replace the saved game ...?" first; <b>No</b> saves nothing. A name must be a plain file
name: an empty name, one with a <code>/</code> or <code>\</code>, or one beginning with a dot is refused with a
message saying why. The names <code>Autosave.gam</code> and <code>Autosave (previous).gam</code> are kept for
the autosave and refused too.</li>
<li><b>Game Control</b> sets the speed (Slow, Normal, Fast), the difficulty (Easy, Normal, Difficult), the display
mode, music and sound effects, and whether groups keep together. The choices are kept in <code>Tavrine.ini</code> (a message says "Data I/O Error"
when that file cannot be written). Music switched off and on again goes on where it stopped.</li>
<li><b>Information</b> shows the statistics of the battle so far: the buildings and tanks of both sides, the
time and the money, and below them the tanks you built, the money you earned and the enemy tanks and buildings you
destroyed since the battle was loaded (a campaign mission counts on from where it stood when it was saved).</li>
<li><b>Exit</b> leaves the game after asking.</li>
</ul>
<p><b>Autosave.</b> Every two minutes of game time, and whenever you leave a running battle (Exit, loading
another game, starting a mission), the battle is saved as <code>Autosave.gam</code> among your saved games; the
autosave before it stays as <code>Autosave (previous).gam</code>. Load either like any saved game. If an autosave
cannot be written, the status bar says "Autosave failed" for a few seconds, once.</p>
<p><b>Keep groups together</b> (on unless you turn it off): tanks you send together to a place move as a group.
None drives more than four cells of its way ahead of the group's last tank; the ones in front wait, turrets
working, until the rest close up. At a narrow pass they go through one by one, as they must, then gather beyond it
before they go on, so they do not arrive one at a time into the enemy's fire. A tank that stops to fight, or that
you give another order, leaves the group; a straggler far behind the rest is not waited for, nor one that has stood
stuck for about five seconds. With the box cleared, every tank drives at its own pace as before.</p>
<p>The difficulty changes how hard your shots hit the computer's units, how hard its towers hit back, and how fast
its factories build and send out waves.</p>
)";

constexpr std::string_view kEditor = R"(<h2 id="editor">Making maps: the editing mode</h2>
<p>Maps are made in the game itself. Start the editing mode from the start dialog (see
<a href="#start">Starting the game</a>): the map appears in a window with the small <b>Game Editor</b> tool window
above it. The fog is hidden unless you ask for it, the clock stands still and factories do not build, but towers
still aim and tanks still drive, so you can try a map out as you build it.</p>
<h3>The tools</h3>
<table>
<tr><th>Button</th><th>Tool</th></tr>
<tr><td>1</td><td><b>Land outline</b>: trace a coastline</td></tr>
<tr><td>2</td><td><b>Mountain outline</b>: trace the border of a mountain range on land</td></tr>
<tr><td>3</td><td><b>Fill land</b>: turn the water inside a coastline into land (asks "Fill Land ?")</td></tr>
<tr><td>4</td><td><b>Fill mountain</b>: turn the land inside a mountain border into mountain (asks "Fill Mount ?")</td></tr>
<tr><td>5, 6</td><td><b>Walls</b> of the first (concrete) and second (brick) kind</td></tr>
<tr><td>7</td><td>no tool</td></tr>
<tr><td>Fog</td><td>shows the fog of war while it is down</td></tr>
<tr><td>New map</td><td>asks for the size (40 to 200 columns, 30 to 200 rows), the mission and the <i>Demo</i> flag,
and replaces the map with empty water</td></tr>
<tr><td>Save map</td><td>saves the map as a prepared map into the <code>NewGames</code> folder (see
<a href="#savemap">Saving a map</a>)</td></tr>
</table>
<p><kbd>Ctrl</kbd>+<kbd>Z</kbd> undoes the last whole edit (a laid outline or wall, a fill, a dropped picture, a new
map) and <kbd>Ctrl</kbd>+<kbd>Y</kbd> redoes it; an outline being traced is dropped. Loading a game forgets the
edits.</p>
<h3>Tracing coasts and mountains</h3>
<p>With an outline tool chosen, press the left button on the first cell. Moving the mouse shows the next stretch
in red; each left press fixes it (green). Stretches run straight or diagonally, and the outline may turn by at most a
right angle at a time. The right button closes the outline and lays the edge pieces: from the last point a closing
stretch runs back to the first cell, diagonally while both the column and the row differ and then straight, and gets
edge pieces like every other stretch, so the coast is closed on that side too. An outline needs at least three
points; a shorter one is dropped. Pressing the left button on the first cell before the right button closes the
outline there instead.</p>
<ul>
<li>Traced <b>clockwise</b>, the outline makes an island: land inside, water outside.</li>
<li>Traced <b>counter-clockwise</b>, it makes a lake or bay: the land lies outside.</li>
</ul>
<p>Then fill the inside with the fill tool: click inside the outline and answer Yes. The fill stops at the edge
pieces. Mountains work the same way on land: trace with the mountain outline, then fill mountain.</p>
<h3>Walls</h3>
<p>Walls are traced like outlines, but only in straight runs east, west, north and south. Pieces of the same kind
join into corners, T-junctions and crossings by themselves; the two kinds never join each other.</p>
<h3>Placing ground, scenery, buildings and tanks</h3>
<p>Press <kbd>S</kbd> to open the library editor. Choose a list in its tree, then drag a picture from it onto the map:</p>
<ul>
<li>ground pictures (group 0, subgroups 0 to 2) repaint the cell's ground, for example a water or land variant;</li>
<li>scenery (group 1) stands on the cell it is dropped on;</li>
<li>towers (group 2) and buildings (group 3) take as many cells as their picture covers, anchored at the cell
under the pointer; the subgroup is the side (0 yours, 1 the computer's, 2 neutral);</li>
<li>tanks (group 4) are placed on the cell, facing the direction of the picture you dragged.</li>
</ul>
<p>Give the computer a headquarters and a factory if the mission needs them, and leave the cell below a factory's
gate free, or it can never build.</p>
<h3 id="savemap">Saving a map</h3>
<p>The <b>Save map</b> button of the tool window saves the map as a prepared map into the <code>NewGames</code>
folder, where the Load Game dialog offers it as <i>[New Game]</i>. Its dialog lists the maps already there; picking
one of them asks "Replace the prepared map ...?" first (the maps that come with the game included), and <b>No</b>
saves nothing. <b>Save Game</b> from the game menu saves the map into <code>SaveGames</code> instead, to go on
editing later.</p>
<p>Other keys in the editing mode: <kbd>A</kbd> pauses for a moment, <kbd>Alt</kbd>+<kbd>Enter</kbd> switches
between window and full screen. The arrow keys, the groups and <kbd>Ctrl</kbd>+<kbd>A</kbd> work as in play;
<kbd>P</kbd> does not pause. A line in light blue at the bottom left of the battlefield shows the frame rate,
the screen size and depth, the number of orders, the pointer's map position, the view's right edge and the map's
width, and "Down" while no button is held.</p>
)";

constexpr std::string_view kLibrary = R"(<h2 id="library">The library editor</h2>
<p>Every picture and sound of the game is kept in one library file, <code>Tavrine.isd</code>. The library editor
(<b>ImageEditor</b>, key <kbd>S</kbd> in the editing mode) shows it as a tree: groups, their subgroups and their
lists. Selecting a list shows its pictures, numbered from 0; the sounds are listed at the bottom.</p>
<table>
<tr><th>Button</th><th>Action</th></tr>
<tr><td>Save</td><td>writes the library back to <code>Tavrine.isd</code></td></tr>
<tr><td>Add group</td><td>appends an empty group</td></tr>
<tr><td>Add</td><td>on a group: a new subgroup; on a subgroup: a new list; on a list: a picture from a .bmp file</td></tr>
<tr><td>Delete picture / Replace picture</td><td>removes the selected picture, or replaces it from a .bmp file</td></tr>
<tr><td>Fill from series</td><td>empties the list and loads <code>0.bmp</code>, <code>1.bmp</code>, ... from the folder of
a chosen file, up to the first missing number (at most 32)</td></tr>
<tr><td>Add sound / Delete sound / Replace sound / Play</td><td>the same for the .wav sounds</td></tr>
</table>
<p>Changes stay in memory until you save. In every picture the colour red 255, green 0, blue 255 (magenta) is
transparent. Pictures may be of any depth and compression a .bmp file has; in run-length compressed pictures, pixels
that a run puts past the end of its row are left out (some image programs encode each row out to a multiple of four
pixels), and a colour table with more colours than the depth can use is kept as it is.</p>
<h3>What the library holds</h3>
<table>
<tr><th>Group</th><th>Subgroup</th><th>List</th><th>Pictures</th></tr>
<tr><td>0</td><td>0</td><td>0-4</td><td>water; frame 0 plain, 1-5 ruins on it, 6-11 wrecks on it</td></tr>
<tr><td>0</td><td>1</td><td>0-4</td><td>land, with the same twelve frames</td></tr>
<tr><td>0</td><td>2</td><td>0</td><td>mountain, with the same twelve frames</td></tr>
<tr><td>0</td><td>2</td><td>1, 2</td><td>coast pieces and mountain border pieces, twelve each</td></tr>
<tr><td>0</td><td>3</td><td>0, 1</td><td>explosion of a tank, fire on a burning building</td></tr>
<tr><td>0</td><td>4, 5, 6</td><td>0</td><td>fog of war pieces, smoke puff, muzzle flash</td></tr>
<tr><td>1</td><td>0, 1</td><td>0</td><td>the two wall kinds, eleven connection pieces each</td></tr>
<tr><td>1</td><td>2, 3</td><td>0-3</td><td>scenery; the list sets the minimap colour: 0 silver, 1 maroon, 2 olive, 3 grey</td></tr>
<tr><td>2</td><td>side</td><td>any</td><td>gun towers, one picture per facing (16)</td></tr>
<tr><td>3</td><td>side</td><td>0, 1, 2...</td><td>headquarters, factory, other buildings; frames animate</td></tr>
<tr><td>4</td><td>side</td><td>model</td><td>tanks: pictures 0-15 the hull, 16-31 the turret, per facing</td></tr>
</table>
<p>Ground pictures are one cell, 36 by 36 pixels. A tower's or building's picture decides how many cells it takes:
a picture w pixels wide covers w div 36 + 1 columns, and likewise for rows. Make them 35, 71 or 107 pixels to cover
one, two or three cells. A factory must be exactly two cells tall and at least two wide: its gate is one cell right
of and one below its top-left cell, and the cell below the gate must lie outside it. Facings count clockwise from
west: 0 west, 4 north, 8 east, 12 south.</p>
<p>Sound 0 is the explosion, sound 1 the shot.</p>
)";

constexpr std::string_view kReplays = R"(<h2 id="replays">Replays</h2>
<p>Every battle you play is recorded. From the moment a game is loaded until the mission is decided, another game is
loaded or you leave, the game keeps what you did: every click, drag and key, the answers you gave in the dialogs,
and the game time at which each came. The recording is written into the <code>Replays</code> folder beside
<code>SaveGames</code>, named by the date and the map (<code>2026-12-08 10-42-13 01 Beachhead.replay</code>); the
newest 50 are kept and older ones are removed; other files you put there, and recordings you renamed, stay. The
editing mode records nothing.</p>
<p>A recording also keeps what your disk answered: when you watch it, a game saved during the battle is not written
again (your folders are left as they are), yet the save succeeds or fails as it did, with the message you saw; a load
that failed fails again with its message. Each answer you gave goes to the very dialog you gave it to.</p>
<p>To watch a battle again, start the game with <code>tavrine --replay</code> and the file's name. After the start
dialog the battle plays as it was played: the band and the pointer (a small cross) move where the player moved them,
and nothing you do with the mouse reaches the battle. The picture has the size the battle was played at, scaled to
your screen; the display mode you pick in the start dialog does not change it, because the battle was drawn at that
size (which cells were in view, where the panels were), and when the player changed the display mode during the
battle the picture changes with it.</p>
<p>The view follows the player's until you scroll: then you look where you like, and a yellow frame on the minimap
shows your view beside the player's white one. The battle stays the one that was played, wherever you look.
The top right corner says when the replay is paused, how fast it plays and when it is over, leaving the mission's
hint at the top left readable; at the end the result screen shows the outcome without offering to load a game, since
no key of yours reaches the battle.</p>
<table>
<tr><th>Key or mouse</th><th>While watching</th></tr>
<tr><td><kbd>Space</kbd></td><td>pauses and goes on</td></tr>
<tr><td><kbd>+</kbd> and <kbd>-</kbd></td><td>play 1, 2, 4 or 8 times as fast</td></tr>
<tr><td>arrow keys, the mouse at an edge of the screen</td><td>scroll your view, also while paused</td></tr>
<tr><td>a click or drag on the minimap</td><td>brings your view there</td></tr>
<tr><td><kbd>F</kbd></td><td>follows the player's view again</td></tr>
<tr><td><kbd>Esc</kbd></td><td>leaves</td></tr>
</table>
<p>While a dialog was open the battle went on behind it; a replay shows those moments at once. A replay is plain
text: attach it to a bug report and the battle can be played again exactly. It holds the map as it was loaded, so
it plays even when the map file is gone. It also names the picture library the battle was played with, since
the pictures' sizes take part in the battle: a replay needs that same library (the game says so when it has
another one), and a battle played without a library (no <code>Tavrine.isd</code> found) is watched without
pictures. Replays of an older version of the game may no longer play the same battle.</p>
)";

constexpr std::string_view kFiles = R"(<h2 id="files">The game's files</h2>
<table>
<tr><th>File</th><th>What it is</th></tr>
<tr><td><code>Tavrine.ini</code></td><td>your settings</td></tr>
<tr><td><code>Tavrine.isd</code></td><td>the library of pictures and sounds</td></tr>
<tr><td><code>Music.mid</code></td><td>the music; without it the game is silent but for the effects</td></tr>
<tr><td><code>Cursors/1.ani</code> ... <code>22.ani</code></td><td>the mouse pointers</td></tr>
<tr><td><code>NewGames/</code></td><td>prepared maps</td></tr>
<tr><td><code>SaveGames/</code></td><td>saved games</td></tr>
<tr><td><code>Replays/</code></td><td>the recordings of your last 50 battles</td></tr>
</table>
<p><b>Where they are.</b> Run from the folder it was built in, the game keeps all of these files beside the
program. Installed (for example from the Debian package), the files that come with the game are in
<code>/usr/share/tavrine/</code> and are only read; the game writes only into your own folders:
<code>Tavrine.ini</code> into <code>~/.config/tavrine/</code>, and <code>SaveGames/</code>, the maps you save
from the map editor (<code>NewGames/</code>), a library saved from the library editor (<code>Tavrine.isd</code>)
and <code>Replays/</code> into <code>~/.local/share/tavrine/</code> (or where <code>XDG_CONFIG_HOME</code> and
<code>XDG_DATA_HOME</code> point). The Load Game dialog then lists your saved games, then your own prepared
maps together with the ones that came with the game; a map of yours hides one that came with the game under
the same name, and a library of yours is loaded instead of the one that came with the game.
Removing the game leaves your folders alone.</p>
</body>
</html>
)";

}  // namespace

std::string HelpText() {
    std::string html;
    const std::string campaign = missions::MissionsHelpSection();
    for (std::string_view part : {kHead, kIntro, kStartA, kEditingModeEntry, kStartB, kPlay, kControls, kCursors,
                                  kMissions, std::string_view(campaign), kSkirmish, kUnits, kMenu, kEditor, kLibrary, kReplays, kFiles})
        html += part;
    return html;
}

}  // namespace tavrine::assets
