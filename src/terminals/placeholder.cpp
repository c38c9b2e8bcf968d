// placeholder until the terminal register lands
namespace zqvr::terminals {}
