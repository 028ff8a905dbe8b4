// The transfer rules the dialog shows in its log, one entry per line.
// Generated once from the rules the team agreed; three lines keep a trailing blank.
#pragma once

#include <array>
#include <string_view>

namespace t2v::plugin {

inline constexpr std::array<std::string_view, 98> kRulesLines = {
    "1.  This command will export out a model in a Vantra Structure formatted file using the following transfer rules.",
    "",
    "2.  Units are transferred according to the current program units.",
    "",
    "3.  Only concrete/steel/rebar materials are transferred. If a concrete/steel/rebar material does not exist, a "
    "default one is automatically created during the transfer.",
    "For uniaxial/anisotropic materials, the first set of properties are used as an isotropic material (E, Nu, G).",
    "",
    "The following Vantra Materials are generated based on model material types and are used in the corresponding "
    "components:",
    "    Inelastic Steel Material, Non-Buckling",
    "    Inelastic Concrete Material",
    "    Inelastic Shear Material for a Wall",
    "    Elastic Material for Fiber Sections",
    "    Elastic Shear Material for a Wall",
    "    Elastic Material for a Slab or Shell",
    "",
    "4.  Frames are transferred into different Vantra Frame Member Compound Components.",
    "Depending on the material, geometry, end releases, and hinges assigned, ",
    "Elastic or FEMA beam/column compounds are defined and used for frame members.",
    "",
    "Important:",
    "Frames with hinges are transferred based on their geometry (i.e. vertical = column, horizontal = beam, other = "
    "brace)!",
    "Vantra Inelastic FEMA beam/column M-phi capacity/PMM capacity values need to be input by the user!",
    "Frame section modifiers are not transferred.",
    "Frame offsets and insertion points are not transferred.",
    "Link types other than hinges, such as isolators/dampers, are not transferred.",
    "",
    "The following Vantra Inelastic properties are generated for the corresponding Compound Components:",
    "     FEMA Beam, Steel Type",
    "     FEMA Beam, Concrete Type",
    "     FEMA Column, Steel Type",
    "     FEMA Column, Concrete Type",
    "",
    "The following Frame Member Compound Components are created during the transfer:",
    "     CpdBmS/CpdColS/CpdBmC/CpdColC/CpdFemaBmS/CpdFemaColS/CpdFemaBmC/CpdFemaColC/CpdEmbed",
    "Model sections transferred are available as Vantra Cross Sections.",
    "Rectangular sections for concrete and I-sections for steel retain their shapes - all other sections are displayed "
    "with 'No specific shape' when imported.",
    "The following Vantra sections are created:",
    "    Beam, Reinforced Concrete Section",
    "    Beam, Steel Type, Nonstandard Section",
    "    Column, Reinforced Concrete Section",
    "    Column, Steel Type, Nonstandard Section",
    "    Shear Wall, Inelastic Section",
    "    Shear Wall, Elastic Section",
    "    General Wall, Inelastic Section",
    "    General Wall, Elastic Section",
    "    Slab or Shell, Elastic Section",
    "",
    "5.  Shells are transferred to Vantra's Compound Components.",
    "Nonlinear layered shells must be comprised of at least one membrane/shell layer of concrete and one layer of "
    "rebar.",
    "The layers in the layered shell should be setup as follows and are transferred to the indicated Vantra Compound "
    "Component.",
    "Conc: 1)MatAng=0, S22 nonlinear->Vantra fiber wall. (Axial-Moment behavior)",
    "        MatAng=90, S11 nonlinear->Vantra fiber wall. (Axial-Moment behavior)",
    "      2)MatAng=0 S11 nonlinear->Vantra General Wall (Axial-Moment behavior in horizontal)",
    "        MatAng=90 S22 nonlinear->Vantra General Wall (Axial-Moment behavior in horizontal)",
    "      3)MatAng=0 or 90, S11 and S22 nonlinear->Vantra General Wall (Axial-Moment behavior in H and V)",
    "The reinforcement ratio is taken as the sum of all rebar membrane/shell layer thicknesses.",
    "The concrete thickness is taken as the sum of all concrete membrane/shell layer thicknesses.",
    "",
    "Only 3- and 4-noded shells are transferred. 3-noded shells are divided into three 4-noded areas.",
    "4-noded shells are sorted by their normal vector, checking for wall/slab/ramp orientation, etc.",
    "Mapping is done as follows:",
    "    Elastic thin shell -> Elastic/Inelastic Shear Wall in Vantra",
    "    Wall -> Wall in Vantra",
    "    Floor/Ramp -> Slab/Shell in Vantra",
    "",
    "6. Supports are transferred, but the local axis angle is not. Springs are not transferred.",
    "",
    "7. Rigid diaphragm constraints are transferred, but only those with a normal in the Z-direction.",
    "",
    "8. Masses and the Mass Source are transferred. Only Gravity/Z/Projected-Z mass in global coordinates is "
    "transferred.",
    "Only Dead/Live load patterns from the Mass Source loads are transferred.",
    "Loads on beams are converted into point masses using simply-supported beam equilibrium.",
    "Mass in Vantra is specified as lumped mass concentrated at the nodes.",
    "",
    "9. Compound Components generated from model objects are automatically assigned to element groups in Vantra, and "
    "include the orientation of the local axes.",
    "",
    "10. Nodal/Frame Distributed/Frame Point/Area Distributed and self-weight loads are transferred.",
    "Area distributed loads are transferred as equivalent point loads at the nodes.",
    "Only Dead and Live load patterns are considered.",
    "",
    "11. Drift is defined using the highest and lowest nodes that lie along a nearly vertical line.",
    "",
    "12. When importing a model, a default Structure Section is generated in Vantra. This is a section cut at the base "
    "defined by cutting through all ",
    "Frames and Areas with supports. Frames are cut at the bottom supported node, and areas are cut using the two "
    "bottom supported notes. Slabs are not considered for Vantra Structure Sections.",
    "Note: If supports are not all at one elevation or restraints are assigned at other positions, the Structure "
    "Sections should be reviewed.",
    "",
    "13. Nonlinear static load cases are transferred to Gravity or Static Pushover Load Cases.",
    "Force-controlled cases are transferred to Linear-Gravity Load Cases, and",
    "Displacement-controlled cases are transferred to Pushover Load Cases.",
    "Scale factors, patterns, etc. need to be input by the user.",
    "",
    "14. Nonlinear time history load cases are transferred to Dynamic Earthquake Load Cases.",
    "Time history functions From File are saved in Vantra's Records directory.",
    "Note: The Vantra records can be found in the Records folder within the Vantra installation directory.",
    "",
    "15. The Analysis Series in Vantra must be created by the user. ",
    "",
    "16. The Vantra Structure should be reviewed completely before running the model.",
};

}  // namespace t2v::plugin
