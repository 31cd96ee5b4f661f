// The English help file: the French file's topics and anchors, in English, naming the menus,
// windows and buttons by their English captions.
#include "HelpPage.h"
#include "TextFiles.h"

namespace datagen {
namespace {

const char kMainTopic[] = R"(
<div class="rubrique" id="som"><a name="som"></a>
<h1>Ventrose: the electronic compass on your PC</h1>
<p>Ventrose shows live the heading measured by the Ventrose electronic compass module, linked to
the PC by an RS232 serial cable (port COM1 or COM2). The program draws a compass with a red and
white needle, shows the needle's bearing and your heading in degrees and in words, and lets you
set the module up: calibration, zero centering, magnetic declination and hardware options.</p>

<h2>Starting the link with the compass</h2>
<ol>
<li>Choose the serial port the compass is plugged into
(<span class="menu">Settings &gt; Serial communication port</span>, see
<a href="#rub2">RS232 serial port</a>).</li>
<li>Choose <span class="menu">Settings &gt; Activate serial communication</span>, or click the
first button of the tool bar.</li>
<li>If the warning message is on, connect the RS232 cable between the PC and the compass, switch
the compass on, then click OK.</li>
<li>The PC calls the compass; the progress bar at the bottom of the window shows the wait. When
the compass answers, a message says that the link is established and the readings start to
come in.</li>
</ol>
<p class="attention">If the compass does not answer within about five seconds, the program
reports that the link failed and stops. Check the cable, the compass's power supply and the port
chosen, then start Ventrose again.</p>

<h2>Reading the compass</h2>
<p>The <b>red</b> needle points north, the <b>white</b> one south. The dial carries the letters
N, E, S and O (for <i>ouest</i>, west) and a mark every 5 degrees. Four readings surround the
dial:</p>
<table>
<tr><th>Place</th><th>Reading</th></tr>
<tr><td>top left</td><td>your heading in degrees (“Your HEADING”), that is the angle you are
heading to</td></tr>
<tr><td>top right</td><td>the direction of your heading in words</td></tr>
<tr><td>bottom left</td><td>the red needle's bearing in degrees</td></tr>
<tr><td>bottom right</td><td>the direction the red needle points to</td></tr>
</table>
<p>The status bar shows on the left the operation under way and on the right the magnetic
declination applied (“Decl”). The readings in degrees and in words can be hidden in the
<a href="#rub9">software options</a>; the look of the needle and the dial is set in the
<a href="#rub4">graphics options</a>. When balloon tips are on, a balloon explains each reading
as the mouse passes over it.</p>

<h2>Menus and tool bar</h2>
<table>
<tr><th>Menu</th><th>Commands</th></tr>
<tr><td class="menu">Settings</td><td>Activate serial communication; Serial communication port
(<a href="#rub2">help</a>); Graphics options (<a href="#rub4">help</a>); Menu style
(<a href="#rub5">help</a>); Quit</td></tr>
<tr><td class="menu">Compass</td><td>Calibrate the compass (<a href="#rub6">help</a>); Zero
centering (NORTH) (<a href="#rub7">help</a>); Magnetic declination (<a href="#rub8">help</a>);
Heading log... (<a href="#journal">help</a>); Compass swing... (<a href="#regulation">help</a>)</td></tr>
<tr><td class="menu">Options</td><td>Software options (<a href="#rub9">help</a>); Hardware
options (<a href="#rub10">help</a>); Heading output (NMEA 0183)...
(<a href="#partage">help</a>)</td></tr>
<tr><td class="menu">Help</td><td>Help (this page); About...</td></tr>
</table>
<p>A right click in the window opens a context menu with the same commands. The tool bar's
buttons, from left to right: activate the serial link, serial communication port, zero centering
(NORTH), magnetic declination, software options, hardware options.</p>
<p class="note">Before the link, only the commands for the link, the port, the menu style, the
software options, help and quitting are available. Once the link is established, the link and
the port can no longer be changed; the compass's settings become available. During the
calibration, the settings are held back until the procedure ends.</p>

<h2>Quitting</h2>
<p>Choose <span class="menu">Settings &gt; Quit</span> or close the window. If the link is
established, the PC first hands the compass over to stand-alone operation: it then goes on
working on its own, without the PC. A message confirms it if this option is on in the
<a href="#rub9">software options</a>.</p>
<p>Your settings are saved in the file Ventrose.inf of the installation folder each time you
come back to the main window.</p>
</div>
)";

const char kPortTopic[] = R"(
<div class="rubrique" id="rub2"><a name="rub2"></a>
<h1>RS232 serial port</h1>
<p>This window chooses the PC's serial port the compass's cable is plugged into: <b>COM1</b> or
<b>COM2</b>.</p>
<ol>
<li>Tick the port you want.</li>
<li>Click <b>OK</b> (closing the window does the same).</li>
</ol>
<p>The port chosen is opened as soon as you are back in the main window and saved for next time.
The port is chosen before the serial communication is activated: once the link is established,
the command is no longer available.</p>
<p class="retour"><a href="#som">Back to the contents</a></p>
</div>
)";

const char kGraphicsTopic[] = R"(
<div class="rubrique" id="rub4"><a name="rub4"></a>
<h1>Graphics options</h1>
<p>This window sets the look of the compass drawn in the main window.</p>
<table>
<tr><th>Setting</th><th>Choices</th></tr>
<tr><td>Compass needle width</td><td>Thin, Medium or Thick: the width of the needle</td></tr>
<tr><td>Compass needle length</td><td>Short, Medium or Long: the length of the needle</td></tr>
<tr><td>Compass rose</td><td>ticked: a dial with a sixteen-point compass rose; not ticked: a
plain dial</td></tr>
<tr><td>Center circle</td><td>ticked: a gray disc covers the center of the needle</td></tr>
</table>
<p>Click <b>OK</b> (or close the window): the new settings apply from the next reading. These
options are available once the link is established.</p>
<p class="retour"><a href="#som">Back to the contents</a></p>
</div>
)";

const char kMenuStyleTopic[] = R"(
<div class="rubrique" id="rub5"><a name="rub5"></a>
<h1>Menu style</h1>
<p>This window chooses the look of the menus and the tool bar:</p>
<ul>
<li><b>Microsoft Office XP style menus</b>: flat, modern menus, with the icons in a colored
band and a framed highlight;</li>
<li><b>Conventional menus</b>: the system's usual menus.</li>
</ul>
<p>Tick the style you want, then click <b>OK</b> (or close the window); the change applies when
you are back in the main window.</p>
<p class="retour"><a href="#som">Back to the contents</a></p>
</div>
)";

const char kCalibrationTopic[] = R"(
<div class="rubrique" id="rub6"><a name="rub6"></a>
<h1>Compass calibration</h1>
<p>The calibration teaches the compass its magnetic surroundings. It takes four phases, in this
order: <b>SOUTH</b>, <b>EAST</b>, <b>NORTH</b>, <b>WEST</b>. Do it when the module is first put
into service, then each time the module moves to another place.</p>
<p class="attention">Answering <b>Yes</b> to the opening question erases the compass's previous
calibration settings.</p>
<ol>
<li>Choose <span class="menu">Compass &gt; Calibrate the compass</span> and confirm. The
calibration panel takes the place of the dial.</li>
<li>Phase 1: turn the compass to the <b>south</b>, as the picture shows, then click button
<b>1</b>.</li>
<li>Wait while the command is sent (“Please wait...”).</li>
<li>Do the same toward the <b>east</b> (button <b>2</b>), the <b>north</b> (button <b>3</b>)
and the <b>west</b> (button <b>4</b>). The status bar each time recalls the direction
expected.</li>
<li>A message of congratulations announces the end of the procedure; the dial comes back.</li>
</ol>
<p class="note">Hold the module quite flat, away from metal objects and electrical appliances,
and use a reference compass to aim at each direction. Once the procedure has started, it can
only be interrupted by quitting the program. After the calibration, carry out the
<a href="#rub7">zero centering</a>.</p>
<p class="retour"><a href="#som">Back to the contents</a></p>
</div>
)";

const char kCentringTopic[] = R"(
<div class="rubrique" id="rub7"><a name="rub7"></a>
<h1>Zero centering (NORTH)</h1>
<p>The centering corrects the small gap left between the north the compass shows and the true
north, so that the module turned to the north shows exactly north.</p>
<ol>
<li>First carry out the <a href="#rub6">calibration</a>.</li>
<li>If a centering already exists, first click <b>Reset centering</b>, then open this window
again.</li>
<li>With the help of a reference compass, turn the Ventrose module toward the
<b>north</b>.</li>
<li>Click <b>Activate centering</b>.</li>
</ol>
<p>The gap may be 20° at most; beyond that, the centering is refused (carry out the calibration
again). <b>Reset centering</b> clears the correction; <b>Exit</b> closes the window and keeps the
previous settings.</p>
<p class="note">The centering is done with no magnetic declination: if a declination is set, the
program offers to reset it to zero before opening this window. Set it again afterwards if need
be (see <a href="#rub8">Magnetic declination</a>). The new settings are sent to the compass when
the window closes.</p>
<p class="retour"><a href="#som">Back to the contents</a></p>
</div>
)";

const char kDeclinationTopic[] = R"(
<div class="rubrique" id="rub8"><a name="rub8"></a>
<h1>Magnetic declination</h1>
<p>The compass shows <b>magnetic</b> north, which differs from the <b>geographic</b> north of
maps. The angle between the two is the magnetic declination; it depends on the place and changes
slowly from year to year. You will find it on recent topographic maps or from the surveying
services. Once this declination is entered, the heading shown refers to geographic north.</p>
<ol>
<li>Under <b>Direction of the declination</b>, choose <b>WEST declination</b> if magnetic north
lies west of geographic north (negative declination), <b>EAST declination</b> if it lies east
(positive declination). The picture shows the case chosen.</li>
<li>Under <b>Setting range</b>, choose the slider's greatest value: 3, 5, 7 or 10 degrees.</li>
<li>Set the declination in degrees with the slider. The red text recalls the value chosen and
its sign.</li>
<li>Click <b>OK</b> (or close the window): the declination is saved and sent to the
compass.</li>
</ol>
<p>The main window's status bar shows the declination in use (“Decl”), negative to the west and
positive to the east.</p>
<p class="note">You do not know your place's declination? The <b>Compute for a place</b> frame,
on the right of the window, works it out from the latitude, the longitude and the date (see
<a href="#declinaison-lieu">Computing the declination for a place</a>).</p>
<p class="retour"><a href="#som">Back to the contents</a></p>
</div>
)";

const char kSoftwareTopic[] = R"(
<div class="rubrique" id="rub9"><a name="rub9"></a>
<h1>Software options</h1>
<p>These options only concern the program on the PC; nothing is sent to the compass. Tick a box
to turn the option on:</p>
<table>
<tr><th>Option</th><th>Effect</th></tr>
<tr><td>Warning message before the serial link starts</td><td>reminds you to connect the RS232
cable and to switch the compass on before the link</td></tr>
<tr><td>Information message when the program quits</td><td>confirms, when you quit, that the
compass goes over to stand-alone operation</td></tr>
<tr><td>Show the degrees (HEADING and red needle)</td><td>shows the heading and the red needle's
bearing in degrees</td></tr>
<tr><td>Show the direction (HEADING and red needle)</td><td>shows the same directions in
words</td></tr>
<tr><td>Balloon tips</td><td>shows a balloon of explanation as the mouse passes over a
reading</td></tr>
<tr><td>Sound effects</td><td>plays the program's sounds (link established, failure,
calibration, About)</td></tr>
</table>
<p>Click <b>OK</b> (or close the window) to save your choices.</p>
<p class="retour"><a href="#som">Back to the contents</a></p>
</div>
)";

const char kHardwareTopic[] = R"(
<div class="rubrique" id="rub10"><a name="rub10"></a>
<h1>Hardware options</h1>
<p>These options set up the compass module itself; they are sent to it when the window closes.
Tick a box to turn the option on:</p>
<table>
<tr><th>Option</th><th>Effect</th></tr>
<tr><td>LCD display</td><td>an LCD display is plugged into the module; lets you choose what it
shows</td></tr>
<tr><td>HEADING shown on the LCD / RED NEEDLE shown on the LCD</td><td>ticked: the display shows
your heading; not ticked: the red needle's bearing</td></tr>
<tr><td>Average computed from the raw readings</td><td>the module smooths its readings by
averaging several of them</td></tr>
<tr><td>Extra serial link for your own development</td><td>turns on the module's second serial
link, for your own circuits</td></tr>
<tr><td>Compass shown by LEDs</td><td>the module shows the direction on its ring of
LEDs</td></tr>
<tr><td>Mains frequency</td><td>not ticked: 50 Hz (F= 50Hz); ticked: 60 Hz (F= 60Hz), as the
country's mains supply runs</td></tr>
</table>
<p>Click <b>OK</b> (or close the window): the options are saved and sent to the compass.</p>
<p class="retour"><a href="#som">Back to the contents</a></p>
</div>
)";

const char kLogTopic[] = R"(
<div class="rubrique" id="journal"><a name="journal"></a>
<h1>Heading log</h1>
<p>The <span class="menu">Compass &gt; Heading log...</span> window shows your heading
(“HEADING”) over time, over the last minute, the last 10 minutes or the last hour (the
<b>Span shown</b> list). The curve moves on live while the window is open; it is cut where the
heading goes from one edge of the chart to the other (from 359° to 0° for instance) and where
the readings stop. The heading scale centers itself on the mean heading.</p>
<p>On the right of the curve, over the span shown:</p>
<table>
<tr><th>Reading</th><th>Meaning</th></tr>
<tr><td>Mean heading</td><td>the mean of the headings taken on the circle: 359° and 1° give 0°,
not 180°. A dash is shown when the headings cancel out (spread all around the circle, or two
opposite headings).</td></tr>
<tr><td>Standard deviation</td><td>the circular standard deviation, in degrees: 0 for a
perfectly steady heading, larger and larger as the heading varies</td></tr>
<tr><td>Readings</td><td>the number of readings received over the span shown</td></tr>
</table>
<p class="note">The window keeps the readings only while it is open, and one hour of readings at
most: closed, it costs the link nothing.</p>

<h2>Recording the readings</h2>
<p>Click <b>Record</b> and choose a file (by default heading-log-YYYYMMDD-HHMMSS.csv in the
installation folder): each reading received is added to it until you click <b>Stop</b>, even
with the window closed. The CSV file opens in a spreadsheet; it starts with a header line, then
one line per reading (the column names are the file format's, the same in every
language):</p>
<table>
<tr><th>Column</th><th>Content</th></tr>
<tr><td>heure_utc</td><td>the time of the reading in universal time, to the millisecond
(2026-03-14T09:26:53.589Z)</td></tr>
<tr><td>brut</td><td>the raw value sent by the compass, from 0 to 254</td></tr>
<tr><td>LastRawAngle</td><td>that value in degrees, before any correction</td></tr>
<tr><td>cap</td><td>your heading, as “Your HEADING” shows it</td></tr>
<tr><td>aiguille</td><td>the red needle's bearing</td></tr>
<tr><td>centrage, declinaison</td><td>the zero centering and the declination applied, with
their sign</td></tr>
</table>
<p>The lines are written as they come: a sudden stop of the program loses at most the last
second. If the file can no longer be written (disk full, permissions lacking), a message says so
once and the recording stops; the link with the compass goes on.</p>
<p><b>Export image...</b> saves the chart in a PNG file.</p>

<h2>Playing a log back</h2>
<p>Started with <code>ventrose --replay file.csv</code>, the program replaces the compass by a
simulated compass that plays the log's readings back at their original pace, from the moment
the communication is activated: the needle does again what it did. A file that is not a log is
refused, with the number of the faulty line. With <code>ventrose --log file.csv</code>, the
recording starts as soon as the communication starts, without opening the window.</p>
<p class="retour"><a href="#som">Back to the contents</a></p>
</div>
)";

const char kPlaceTopic[] = R"(
<div class="rubrique" id="declinaison-lieu"><a name="declinaison-lieu"></a>
<h1>Computing the declination for a place</h1>
<p>The <b>Compute for a place</b> frame of the <a href="#rub8">Magnetic declination</a> window
computes your place's declination with the <b>WMM2025</b> World Magnetic Model (from NOAA and
the British Geological Survey), which the program holds: no connection is needed.</p>
<ol>
<li>Enter the place's <b>latitude</b> and <b>longitude</b> (see the ways of writing them
below).</li>
<li>Choose the <b>date</b>: today by default. The declination changes a little every
year.</li>
<li>Click <b>Compute</b> (or press Enter in a field). The frame shows the declination to a
tenth of a degree, EAST or WEST, followed by its uncertainty, and what <b>Apply</b> will
set.</li>
<li>Click <b>Apply</b>: the side (EAST or WEST), the value shown rounded to the nearest degree
(halves up: 2.4° gives 2°, 2.5° gives 3°) and the
smallest setting range that holds it (3, 5, 7 or 10) are set in the window, as if you had done
it yourself. Then click <b>OK</b>: the declination is saved and sent to the compass.</li>
</ol>
<p>The last place computed is kept for next time.</p>

<h2>Writing the latitude and the longitude</h2>
<table>
<tr><th>Writing</th><th>Example (Paris)</th></tr>
<tr><td>decimal degrees, north and east positive</td><td>48.8566 and 2.3522</td></tr>
<tr><td>degrees and minutes, with N or S, E or W (O)</td><td>48 51.4 N and 2 21.1 E</td></tr>
<tr><td>degrees, minutes and seconds</td><td>48°51'24" N and 2°21'08" E</td></tr>
</table>
<p>In the south, the latitude is negative (or followed by S); in the west, the longitude is
negative (or followed by W or O).</p>

<h2>What the calculation assumes</h2>
<ul>
<li>The latitude and the longitude are <b>geodetic</b>, on the WGS84 ellipsoid: those of a GPS
and of recent maps.</li>
<li>The place is taken at <b>height 0</b> above the ellipsoid. In the mountains as by the sea,
the difference is far smaller than the model's uncertainty.</li>
<li>The model describes the field of the whole Earth; it does not know local disturbances
(magnetic rocks, metal buildings, vehicles).</li>
<li>The uncertainty shown is the model's standard error at that place: about two times in
three, the real difference is smaller. It grows near the magnetic poles.</li>
</ul>

<h2>Warnings</h2>
<table>
<tr><th>Warning</th><th>Meaning</th></tr>
<tr><td>date outside the validity period</td><td>WMM2025 holds from 1 January 2025 to
31 December 2029; elsewhere, the value is only an extrapolation, shown without an uncertainty:
nothing is applied.</td></tr>
<tr><td>caution zone</td><td>near a magnetic pole, the horizontal field is weak (under
6000 nT): a compass is unreliable there.</td></tr>
<tr><td>blackout zone</td><td>nearer still (under 2000 nT), a compass shows nothing reliable:
nothing is applied.</td></tr>
<tr><td>more than 10°</td><td>the compass takes no declination beyond 10°: when the rounded
value is over 10° (from 10.5° on), it gets 10° on the same side, and the heading output (NMEA
0183) the place's value to a tenth.</td></tr>
</table>

<h2>On the command line</h2>
<p><span class="menu">ventrose --declination LAT LON [YYYY-MM-DD] [--altitude KM]</span> prints
the declination in degrees (positive to the east, two decimals) followed by its uncertainty,
without opening a window; the warnings go to the standard error. A date outside the validity
period is refused, unless <span class="menu">--extrapolate</span> is given.</p>
<p class="retour"><a href="#som">Back to the contents</a></p>
</div>
)";

const char kShareTopic[] = R"(
<div class="rubrique" id="partage"><a name="partage"></a>
<h1>Heading output (NMEA 0183)</h1>
<p>Ventrose can pass the heading measured to navigation software (chart plotters, gpsd, Signal K
servers, autopilots) as NMEA 0183 sentences, at each valid reading received during the link.
Nothing is sent until the link is established, nor after it is lost: a stale heading would be
worse than no heading at all.</p>
<table>
<tr><th>Sentence</th><th>Content</th></tr>
<tr><td>$HCHDM</td><td>the magnetic heading: your heading with the zero centering, without the
declination</td></tr>
<tr><td>$HCHDG</td><td>the same magnetic heading, without deviation, with the declination set as
the variation (E for east, W for west)</td></tr>
<tr><td>$HCHDT</td><td>the true heading, the one “Your HEADING” shows (declination applied);
sent only if the true heading's box is ticked</td></tr>
</table>
<h2>The outputs</h2>
<table>
<tr><th>Output</th><th>Setting</th></tr>
<tr><td>UDP to the host</td><td>each sentence goes as a datagram to the host and port given (by
default 127.0.0.1, port 10110); a broadcast address (for instance 192.168.1.255) reaches the
whole local network</td></tr>
<tr><td>TCP server on address</td><td>the programs connect to the address and port given (by
default 127.0.0.1, port 10110: this PC only; 0.0.0.0 opens the server to the network). Eight
clients at most; a client that no longer reads its data is disconnected, never holding the
others back</td></tr>
<tr><td>Pseudo-terminal</td><td>for programs that only read a serial port: the <b>NMEA</b> link
in the installation folder leads to the terminal; set the program to that file, at 4800 or
38400 baud</td></tr>
</table>
<p>Tick <b>Send the true heading (HDT) too</b> only if the
<a href="#rub8">magnetic declination</a> set is indeed that of the place where you are.</p>
<p>The <b>Live</b> frame shows the last sentence sent and the number of TCP clients connected.
Click <b>OK</b> (or close the window): the outputs open or close at once, and your choices are
saved in the file Ventrose.conf of the installation folder.</p>
<p class="note">A port already taken, a host that cannot be found or a client too slow is
reported in the status bar, without interrupting the compass. Click <b>OK</b> again to retry an
output that could not open.</p>
<p class="retour"><a href="#som">Back to the contents</a></p>
</div>
)";

const char kSwingTopic[] = R"(
<div class="rubrique" id="regulation"><a name="regulation"></a>
<h1>Compass swing</h1>
<p>Once mounted on board, the compass reads wrong by an angle that depends on the heading: the
deviation, caused by the boat's iron and currents. The four-phase calibration reduces it but
never removes it. A swing measures it: you steer several headings, and at each one Ventrose
compares the compass heading with a known magnetic heading; from them it works out the
deviation curve and the card to keep beside the compass.</p>
<p>The deviation δ is east positive: magnetic heading = compass heading + δ. Its curve is
δ(θ) = A + B sin θ + C cos θ + D sin 2θ + E cos 2θ, θ the compass heading, with the five
classic coefficients of compass adjustment.</p>
<p class="note">The compass heading of the swing is the compass's heading before the zero
centering and the declination: it does not change when you change those settings, and the card
stays right. Without centering or declination, it is “Your HEADING”.</p>

<h2>Taking a point</h2>
<table>
<tr><th>Step</th><th>What to do</th></tr>
<tr><td>1. the reference</td><td>choose where the magnetic heading comes from: a typed
<b>magnetic bearing</b> (a transit, a landmark, a hand bearing compass); a typed <b>true
bearing</b> (taken from the chart), turned magnetic with the declination of the settings or
that of the place worked out by <a href="#declinaison-lieu">the declination calculator</a>; or
the <b>GNSS course over ground</b>, turned magnetic, accepted only when the receiver reports a
steady speed and course</td></tr>
<tr><td>2. the heading</td><td>hold the heading and click <b>Take</b>: for three seconds,
Ventrose takes the circular mean of the compass readings</td></tr>
<tr><td>3. the point</td><td>the point is added to the table; it is refused, with the reason,
when the heading varied by more than 2° (standard deviation) or no reading came</td></tr>
</table>
<p>To remove a point, select its row and click <b>Remove point</b>.</p>

<h2>The card</h2>
<p>After each change, the coefficients A to E are worked out again by least squares, with the
root mean square (RMS) of the residuals. At least five points at different headings are
needed, with no arc of more than 90° without a point; otherwise the window says what is
missing. Eight points at the cardinal and intercardinal headings are enough. A point whose
residual is more than three times the RMS is marked as an <b>outlier</b>: check it or take it
again.</p>
<p>The curve shows the deviation against the compass heading, the points and their residuals;
the table gives the deviation and the magnetic heading every 15°. <b>Export to CSV</b> writes
the table (columns compass, deviation, magnetic, in degrees with a decimal point); <b>Export to
PDF</b> writes one A4 page to print: title, date, place, coefficients, table and curve.</p>

<h2>Applying the card</h2>
<p>The boxes <b>to the heading output</b>, <b>to the heading log</b> and <b>to the displayed
heading</b> choose where the card corrects the heading; none is checked at first.</p>
<p class="note">The points, the coefficients, the date, the place and these choices are saved
in the file Ventrose.conf of the installation folder as soon as they change. A save that fails
is said in the window; the swing then holds until the program ends.</p>
<p class="retour"><a href="#som">Back to the contents</a></p>
</div>
)";

} // namespace

QByteArray englishHelpFile() {
    return helpPage("en", "Ventrose Help",
                    {kMainTopic, kPortTopic, kGraphicsTopic, kMenuStyleTopic, kCalibrationTopic,
                     kCentringTopic, kDeclinationTopic, kSoftwareTopic, kHardwareTopic, kLogTopic,
                     kPlaceTopic, kShareTopic, kSwingTopic});
}

} // namespace datagen
