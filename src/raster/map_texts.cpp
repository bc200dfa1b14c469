#include "raster/map_texts.h"

#include <initializer_list>

namespace tolvik {

namespace {

// Paragraphs joined by an empty line, the whole text ending with one.
std::string JoinParagraphs(std::initializer_list<const char*> paragraphs) {
    std::string text;
    for (const char* p : paragraphs) {
        text += p;
        text += "\n\n";
    }
    return text;
}

}  // namespace

const std::string& CalibrationInstructionsText() {
    static const std::string text = JoinParagraphs({
        "Calibration Instructions",
        "Follow these steps to configure Tolvik to use your own maps:",
        "1. Select an image (jpeg file) of the map representing the current zone.  Tolvik will create a copy of the "
        "map you choose in its own directory.",
        "2. Calibrate the coordinate mapping by providing both the physical and logical values of two points on the "
        "map.",
        "To set the first physical point, press and hold the LEFT SHIFT key and move the mouse to the desired "
        "position on the map. You'll see the values of the left physical coordinate change as you move the mouse. "
        "When you have the crosshairs centered on the point you wish to select, release the LEFT SHIFT key to lock "
        "in the position.",
        "Next, enter the logical (in-game) coordinates for the physical point you chose by reading them off the map "
        "(if it has them) or by visiting the location in-game and getting a /loc.",
        "Repeat this process for the second point using the RIGHT SHIFT key.",
        "3. Save the calibration settings.",
    });
    return text;
}

const std::string& GettingStartedText() {
    static const std::string text = JoinParagraphs({
        "Tolvik",
        "Before you can use Tolvik you'll need to do the following:",
        "1. Enable logging from within the game by entering \"/log on\".",
        "2. [Select...] a log file.  If you've already selected a log file you can continuously select the most "
        "recently updated log file in the same directory if you [Enable Auto-Select].",
        "3. When you want to update the Tolvik map, use the \"/loc\" command from within the game.",
    });
    return text;
}

std::string MissingMapText(const std::string& zone) {
    std::string text = "No map presently exists for " + zone + ".\n\n" + CalibrationInstructionsText();
    if (text.size() > kMaxMissingMapTextChars) text.resize(kMaxMissingMapTextChars);
    return text;
}

std::string TooBigMapText(const std::string& zone, std::int64_t width, std::int64_t height) {
    std::string text = "The map picture of " + zone + " is too big to show: " + std::to_string(width) + " x " +
                       std::to_string(height) + " pixels.\n\nTolvik shows map pictures of up to about 7,000 x 7,000 " +
                       "pixels. Make a smaller copy of it, choose that with [Select Map Image...] in Calibration " +
                       "Mode and calibrate it again.";
    if (text.size() > kMaxMissingMapTextChars) text.resize(kMaxMissingMapTextChars);
    return text;
}

std::string LoadingMapText(const std::string& zone) {
    std::string text = "Loading the map of " + zone + "...";
    if (text.size() > kMaxMissingMapTextChars) text.resize(kMaxMissingMapTextChars);
    return text;
}

}  // namespace tolvik
